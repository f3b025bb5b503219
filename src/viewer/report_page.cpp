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
    if (!printerName.empty() && !info.isNull()) {
        // The book is measured on what the device can reach: the page less its
        // hardware margins.
        QPageLayout layout = QPrinter(info, QPrinter::HighResolution).pageLayout();
        layout.setMargins(layout.minimumMargins());
        return layout;
    }
    return QuarterInchLayout(QPageSize::Letter);
}

PageSize PrintableCells(const QPageLayout& layout) {
    const QRectF area = layout.paintRect(QPageLayout::Point);
    return PageSize{area.width() * kTwipsPerPoint / kCellWidthTwips,
                    area.height() * kTwipsPerPoint / kCellHeightTwips};
}

}  // namespace corvane
