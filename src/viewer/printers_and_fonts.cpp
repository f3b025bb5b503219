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

QString CurrentPrinterName(const State& state, const PrintersAndFonts& platform) {
    const QString chosen = QString::fromStdString(state.dialogs.ReportPrinterName);
    if (!chosen.isEmpty() && platform.PrinterNames().contains(chosen)) {
        return chosen;
    }
    return platform.DefaultPrinterName();
}

void MeasureCurrentPrinterPage(State& state, const PrintersAndFonts& platform) {
    const QString printer = CurrentPrinterName(state, platform);
    if (printer.isEmpty()) {
        return;
    }
    if (const std::optional<PageSize> page = platform.PrintablePage(printer)) {
        state.layout.CurrentPrinterPage = *page;
    }
}

}  // namespace corvane
