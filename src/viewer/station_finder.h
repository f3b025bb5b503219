// The station finder ("Find Station on the Page"): lists every station of a
// book with the page that holds it; Find moves the viewer to that page.
// Modeless: the viewer stays usable while it is shown.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "common/messages.h"
#include "viewer/viewer_state.h"

class QComboBox;

namespace corvane {

// A station's entry in the finder's list: the 1-based page, twelve blanks and
// the station ("7            10+00.00").
std::string FinderEntry(const StationOnPage& station);

// The page number at the start of a station entry: the text up to its first
// blank. Gives the reason when it cannot be read.
std::optional<int> ReadEntryPageNumber(const std::string& entry, std::string& why);

class StationFinder : public QDialog {
    Q_OBJECT

  public:
    using RedrawViewerPage = std::function<void()>;

    StationFinder(ViewerState& state, Messages& messages, RedrawViewerPage redraw,
                  QWidget* parent = nullptr);

    // Lists the stations of the books on show and shows the finder with the
    // list of one side's book preset to its first entry: Combo1 for the
    // undivided book or the left side, Combo2 for the right side.
    void Open(Side side);

  public slots:
    void FindStation();  // Command1, "Find"

  private:
    void FillLists();
    // Whether the lists still show the stations of the books on show.
    bool ListsAreCurrent() const;
    QComboBox* ListOf(Side side) const;

    ViewerState& state_;
    Messages& messages_;
    RedrawViewerPage redraw_;
    Side side_ = Side::Left;
    QComboBox* leftList_ = nullptr;   // Combo1: the undivided book or the left side
    QComboBox* rightList_ = nullptr;  // Combo2: the right side
};

}  // namespace corvane
