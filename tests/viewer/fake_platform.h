// Stand-ins for the machine: its printers and fonts, and its system tools.
#pragma once

#include <QMap>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "viewer/printers_and_fonts.h"
#include "viewer/system_info.h"

namespace corvane::test {

// Two printers, the second the default, and the report fonts among others.
class FakePrintersAndFonts : public PrintersAndFonts {
  public:
    QStringList printers{"Plotter", "Office Laser"};
    QString defaultPrinter = "Office Laser";
    QStringList fonts{"Arial", "Courier New", "DejaVu Sans", "Lucida Console", "Tahoma"};
    QMap<QString, PageSize> pages{{"Plotter", {130, 80}}, {"Office Laser", {97.5, 63.5}}};

    QStringList PrinterNames() const override { return printers; }
    QString DefaultPrinterName() const override { return defaultPrinter; }
    std::optional<PageSize> PrintablePage(const QString& name) const override {
        return pages.contains(name) ? std::optional(pages.value(name)) : std::nullopt;
    }
    QStringList ScreenFonts() const override { return fonts; }
};

// A machine described by items "registry:key|value name=text", "file:path",
// "path:program=path" and "start:program" (a program that starts).
class FakeSystemTools : public SystemTools {
  public:
    QStringList machine;
    mutable QStringList started;

    QString Value(const QString& kind, const QString& name) const {
        const QStringList found = machine.filter(
            QRegularExpression("^" + QRegularExpression::escape(kind + ":" + name + "=")));
        return found.isEmpty() ? QString() : found[0].section('=', 1);
    }
    bool ReadMachineRegistryText(const QString& key, const QString& value,
                                 QString& text) const override {
        text = Value("registry", key + "|" + value);
        return !text.isEmpty();
    }
    bool FileExists(const QString& path) const override { return machine.contains("file:" + path); }
    QString FindOnPath(const QString& program) const override { return Value("path", program); }
    bool Start(const QString& program) const override {
        return machine.contains("start:" + program) && (started << program, true);
    }
};

}  // namespace corvane::test
