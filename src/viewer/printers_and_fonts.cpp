#include "viewer/printers_and_fonts.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "report/surface.h"
#include "viewer/twips.h"

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
    QPrinter printer(info, QPrinter::HighResolution);
    // The usable area is what the device can reach: the page less its hardware margins.
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    const QRectF area = layout.paintRect(QPageLayout::Point);
    if (area.isEmpty()) {
        return std::nullopt;
    }
    return PageSize{area.width() * kTwipsPerPoint / kCellWidthTwips,
                    area.height() * kTwipsPerPoint / kCellHeightTwips};
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
