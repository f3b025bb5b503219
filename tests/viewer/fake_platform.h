// Stand-ins for the machine: its printers and fonts, and its system tools.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "viewer/printers_and_fonts.h"
#include "viewer/system_info.h"

namespace corvane::test {

class FakePrintersAndFonts : public PrintersAndFonts {
  public:
    QStringList printers;
    QString defaultPrinter;
    QStringList fonts;
    QMap<QString, PageSize> pages;

    QStringList PrinterNames() const override { return printers; }
    QString DefaultPrinterName() const override { return defaultPrinter; }
    std::optional<PageSize> PrintablePage(const QString& name) const override {
        if (!pages.contains(name)) {
            return std::nullopt;
        }
        return pages.value(name);
    }
    QStringList ScreenFonts() const override { return fonts; }
};

// Two printers, the second the default, and the report fonts among others.
inline FakePrintersAndFonts OfficeMachine() {
    FakePrintersAndFonts machine;
    machine.printers = {"Plotter", "Office Laser"};
    machine.defaultPrinter = "Office Laser";
    machine.pages = {{"Plotter", PageSize{130, 80}}, {"Office Laser", PageSize{97.5, 63.5}}};
    machine.fonts = {"Arial", "Courier New", "DejaVu Sans", "Lucida Console", "Tahoma"};
    return machine;
}

class FakeSystemTools : public SystemTools {
  public:
    // Registry values by "key|value name".
    QMap<QString, QString> registry;
    QStringList files;
    QMap<QString, QString> onPath;
    QStringList startable;
    mutable QStringList started;

    bool GetKeyValue(uint32_t root, const QString& key, const QString& value,
                     QString& text) const override {
        const QString name = key + "|" + value;
        text.clear();
        if (root != kLocalMachineRoot || !registry.contains(name)) {
            return false;
        }
        text = registry.value(name);
        return true;
    }
    bool FileExists(const QString& path) const override { return files.contains(path); }
    QString FindOnPath(const QString& program) const override { return onPath.value(program); }
    bool Start(const QString& program) const override {
        if (!startable.contains(program)) {
            return false;
        }
        started << program;
        return true;
    }
};

}  // namespace corvane::test
