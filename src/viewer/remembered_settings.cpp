#include "viewer/remembered_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <utility>

namespace corvane {

namespace {

const char kOrganisation[] = "Corvane";
const char kApplication[] = "Corvane";

const char kLastFolder[] = "Files/LastFolder";
const char kPrinter[] = "PrinterAndFont/Printer";
const char kFont[] = "PrinterAndFont/Font";
const char kViewerSize[] = "Viewer/Size";
const char kViewerZoom[] = "Viewer/Zoom";

// The settings file as read, or none when it cannot be read (missing is fine:
// it simply holds nothing yet).
std::unique_ptr<QSettings> OpenSettings() {
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                kOrganisation, kApplication);
    if (settings->status() != QSettings::NoError)
        return nullptr;
    return settings;
}

QVariant Read(const char* key) {
    const std::unique_ptr<QSettings> settings = OpenSettings();
    return settings ? settings->value(key) : QVariant();
}

// Stores each value, or forgets its key for an invalid (empty) value. A file that
// could not be read is never written over.
void Write(std::initializer_list<std::pair<const char*, QVariant>> values) {
    const std::unique_ptr<QSettings> settings = OpenSettings();
    if (!settings)
        return;
    for (const auto& [key, value] : values) {
        if (!value.isValid())
            settings->remove(key);
        else
            settings->setValue(key, value);
    }
    settings->sync();
}

}  // namespace

QString RememberedSettings::LastFolder() const {
    const QString folder = Read(kLastFolder).toString();
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        Write({{kLastFolder, QVariant()}});
        return {};
    }
    return folder;
}

void RememberedSettings::RememberFolderOf(const QString& file) {
    if (!file.isEmpty())
        Write({{kLastFolder, QFileInfo(file).absolutePath()}});
}

QString RememberedSettings::PrinterName() const {
    return Read(kPrinter).toString();
}

QString RememberedSettings::FontName() const {
    return Read(kFont).toString();
}

void RememberedSettings::RememberPrinterAndFont(const QString& printer, const QString& font) {
    Write({{kPrinter, printer}, {kFont, font}});
}

std::optional<QSize> RememberedSettings::ViewerSize() const {
    const QSize size = Read(kViewerSize).toSize();
    return size.isValid() && !size.isEmpty() ? std::optional(size) : std::nullopt;
}

void RememberedSettings::RememberViewerSize(const QSize& size) {
    Write({{kViewerSize, size}});
}

std::optional<double> RememberedSettings::ViewerZoom() const {
    bool isNumber = false;
    const double zoom = Read(kViewerZoom).toDouble(&isNumber);
    return isNumber && zoom > 0 ? std::optional(zoom) : std::nullopt;
}

void RememberedSettings::RememberViewerZoom(std::optional<double> zoom) {
    Write({{kViewerZoom, zoom ? QVariant(*zoom) : QVariant()}});
}

}  // namespace corvane
