// Fixed dialog sizes, designed in twips.
#pragma once

#include <QWidget>

namespace corvane {

// Fixes the client area at the designed size, or larger when the contents need
// more room (a larger screen font), so no control is cut off.
void FixClientSize(QWidget& dialog, int widthTwips, int heightTwips);

}  // namespace corvane
