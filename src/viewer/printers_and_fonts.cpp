#include "viewer/printers_and_fonts.h"

#include <QFontDatabase>
#include <QPrinterInfo>

#include "viewer/report_page.h"

namespace corvane {

QStringList PrintersAndFonts::PrinterNames() const {
    return QPrinterInfo::availablePrinterNames();
}

QString PrintersAndFonts::DefaultPrinterName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::optional<PageSize> PrintersAndFonts::PrintablePage(const QString& printerName) const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        return std::nullopt;
    }
    // The page the book will be printed on, so measuring and printing agree.
    const QPageLayout layout = ReportPageLayout(printerName.toStdString());
    if (layout.paintRect(QPageLayout::Point).isEmpty()) {
        return std::nullopt;
    }
    return PrintableCells(layout);
}

QStringList PrintersAndFonts::ScreenFonts() const {
    return QFontDatabase::families();
}

QString CurrentPrinterName(const std::string& chosen, const PrintersAndFonts& platform) {
    const QString name = QString::fromStdString(chosen);
    if (!name.isEmpty() && platform.PrinterNames().contains(name)) {
        return name;
    }
    return platform.DefaultPrinterName();
}

}  // namespace corvane
