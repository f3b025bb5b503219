// The page index ("Select Page Number"): the pages of one book with the first
// and last station on each, from which the print-selected-pages dialog lets the
// user pick a page number.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "report/state.h"

class QComboBox;

namespace corvane {

// The entries of one book: the undivided book, or the side named (for a divided
// roadway). Entry i: page i + 1, five blanks, the station at which page i
// begins, eight blanks, the station just before the one at which page i + 1
// begins. The last two pages of a book get no entry.
std::vector<std::string> PageIndexEntries(const State& state, const std::string& side);

class Form6 : public QDialog {
    Q_OBJECT

  public:
    explicit Form6(State& state, QWidget* parent = nullptr);

    // Lists the book of the roadway type (side names the book of a divided
    // roadway) and presets the visible text to the first entry.
    void Relist(const std::string& side);
    void Clear();

    int EntryCount() const;
    // The entry at a list position, or empty when there is none.
    std::string Entry(int position) const;

  private slots:
    // Picking an entry records its position and closes the index.
    void Combo1_Click(int position);

  private:
    State& state_;
    QComboBox* combo1_ = nullptr;
};

}  // namespace corvane
