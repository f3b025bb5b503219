#include "viewer/dialog_size.h"

#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

#include "viewer/twips.h"

namespace corvane {

namespace {

// The room kept between controls placed by hand and the client area's edges.
constexpr double kEdgeMarginTwips = 120;

// The far corner of the controls that will show with the dialog.
QPoint ControlsExtent(const QWidget& dialog) {
    QPoint extent;
    for (const QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isWindow() && control->isVisibleTo(&dialog)) {
            extent.rx() = std::max(extent.x(), control->geometry().right() + 1);
            extent.ry() = std::max(extent.y(), control->geometry().bottom() + 1);
        }
    }
    return extent;
}

// The caption without its mnemonic marks: "&System Info..." shows as "System Info...".
QString ShownCaption(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

// The width the button needs for its caption, with the style's margin between
// the caption and the frame.
int CaptionWidth(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (button.autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const QStyle& style = *button.style();
    const int frame = button.width() -
                      style.subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
    return button.fontMetrics().horizontalAdvance(ShownCaption(button.text())) + frame +
           style.pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
}

}  // namespace

void FixClientSize(QWidget& dialog, int widthTwips, int heightTwips) {
    QSize size(TwipsToPixels(widthTwips, dialog.logicalDpiX()),
               TwipsToPixels(heightTwips, dialog.logicalDpiY()));
    if (dialog.layout()) {
        size = size.expandedTo(dialog.layout()->minimumSize());
    } else {
        const QPoint extent = ControlsExtent(dialog);
        size = size.expandedTo(
            QSize(extent.x() + TwipsToPixels(kEdgeMarginTwips, dialog.logicalDpiX()),
                  extent.y() + TwipsToPixels(kEdgeMarginTwips, dialog.logicalDpiY())));
    }
    dialog.setFixedSize(size);
}

void WidenToCaption(QPushButton& button, Qt::AlignmentFlag keep) {
    const int width = CaptionWidth(button);
    if (width <= button.width()) {
        return;
    }
    QRect place = button.geometry();
    if (keep == Qt::AlignRight) {
        place.setLeft(place.right() + 1 - width);
    } else {
        place.setWidth(width);
    }
    button.setGeometry(place);
}

void DeepenToText(QLabel& label) {
    if (label.wordWrap()) {
        label.resize(label.width(), std::max(label.height(), label.heightForWidth(label.width())));
    }
}

}  // namespace corvane
