// The page index ("Select Page Number"): the pages of one book with the first
// and last station on each, from which the print-selected-pages dialog lets the
// user pick a page number.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "viewer/dialogs.h"
#include "viewer/viewer_state.h"

class QComboBox;

namespace corvane {

// The entries of a book: entry i is page i + 1, five blanks, the station at
// which page i begins, eight blanks, and the station just before the one at
// which page i + 1 begins. The last two pages of a book get no entry.
std::vector<std::string> PageIndexEntries(const PaginatedBook& book);

class PageIndexDialog : public QDialog {
    Q_OBJECT

  public:
    explicit PageIndexDialog(QWidget* parent = nullptr);

    // Lists the book's pages (none without a book) and presets the visible
    // text to the first entry.
    void Relist(const PaginatedBook* book);

    // Shows the index modally; the 1-based page of the entry picked, none
    // when it was left without a pick.
    std::optional<int> PickPage(Dialogs& dialogs);

  private slots:
    // Picking an entry closes the index.
    void EntryPicked(int position);  // Combo1

  private:
    QComboBox* entries_ = nullptr;  // Combo1
    std::optional<int> picked_;
};

}  // namespace corvane
