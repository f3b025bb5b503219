// Fixed dialog sizes and control places, designed in twips, that still give
// every caption its whole room on any screen and with any font.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace corvane {

// Fixes the client area at the designed size, or larger when the contents need
// more room (a larger screen font), so no control is cut off: the layout's
// minimum size, or, without a layout, every control placed by hand with a
// margin to the right and bottom edges.
void FixClientSize(QWidget& dialog, int widthTwips, int heightTwips);

// Widens a button whose caption, with the style's margin clear of the frame,
// is wider than the button, keeping the edge named by `keep` (Qt::AlignLeft or
// Qt::AlignRight) in its place. A button whose caption fits keeps its width.
void WidenToCaption(QPushButton& button, Qt::AlignmentFlag keep = Qt::AlignLeft);

// Deepens a word-wrapped label whose lines need more height than it has.
void DeepenToText(QLabel& label);

}  // namespace corvane
