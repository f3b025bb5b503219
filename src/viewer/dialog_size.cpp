#include "viewer/dialog_size.h"

#include <QLayout>

#include "viewer/twips.h"

namespace corvane {

void FixClientSize(QWidget& dialog, int widthTwips, int heightTwips) {
    QSize size(TwipsToPixels(widthTwips, dialog.logicalDpiX()),
               TwipsToPixels(heightTwips, dialog.logicalDpiY()));
    if (dialog.layout()) {
        size = size.expandedTo(dialog.layout()->minimumSize());
    }
    dialog.setFixedSize(size);
}

}  // namespace corvane
