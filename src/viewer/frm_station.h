// The station finder ("Find Station on the Page"): lists every station of a
// book with the page that holds it; Find moves the viewer to that page.
// Modeless: the viewer stays usable while it is shown.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "input/messages.h"
#include "report/state.h"

class QComboBox;

namespace corvane {

// The page number at the start of a station entry ("7            10+00.00"):
// the text up to its first blank. Gives the reason when it cannot be read.
std::optional<int32_t> ReadEntryPageNumber(const std::string& entry, std::string& why);

class frmStation : public QDialog {
    Q_OBJECT

  public:
    using RedrawViewerPage = std::function<void()>;

    frmStation(State& state, Messages& messages, RedrawViewerPage redraw,
               QWidget* parent = nullptr);

    // Lists the stations of the last page count and shows the finder with the
    // list of one book preset to its first entry: Combo1 (undivided book or
    // left side) when leftList, Combo2 (right side) otherwise.
    void Open(bool leftList);

  public slots:
    void Command1_Click();

  private:
    void FillLists();
    // Whether the lists still show the stations of the last page count.
    bool ListsAreCurrent() const;
    QComboBox* ListOfCurrentBook() const;

    State& state_;
    Messages& messages_;
    RedrawViewerPage redraw_;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
};

}  // namespace corvane
