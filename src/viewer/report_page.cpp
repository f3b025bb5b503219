#include "viewer/report_page.h"

#include <QMarginsF>
#include <QPrinter>
#include <QPrinterInfo>

#include "report/surface.h"
#include "viewer/twips.h"

namespace corvane {

QPageLayout QuarterInchLayout(QPageSize::PageSizeId paper) {
    return QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25),
                       QPageLayout::Inch);
}

QPageLayout ReportPageLayout(const std::string& printerName) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(printerName));
    // A queue without a driver (a raw queue) names no paper of its own.
    const QPageSize paper = info.isNull() ? QPageSize() : info.defaultPageSize();
    if (printerName.empty() || !paper.isValid()) {
        return QuarterInchLayout(QPageSize::Letter);
    }
    // A printer starts on the toolkit's default paper, not on its own: it is given the paper it
    // holds, and with it the driver's unprintable margins of that paper.
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.setPageSize(paper)) {
        return QuarterInchLayout(QPageSize::Letter);
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    // The book is measured on what the device can reach: the page less its
    // hardware margins.
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    return layout;
}

PageSize PrintableCells(const QPageLayout& layout) {
    const QRectF area = layout.paintRect(QPageLayout::Point);
    return PageSize{area.width() * kTwipsPerPoint / kCellWidthTwips,
                    area.height() * kTwipsPerPoint / kCellHeightTwips};
}

}  // namespace corvane
