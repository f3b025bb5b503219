// Small books laid out on a 96 x 63 page, answers to the viewer's dialogs,
// and test tables, for the viewer's tests.
#pragma once

#include <QtTest>
#include <QtWidgets>

#include <string>
#include <utility>

#include "report/pagination.h"
#include "support/scripted_dialogs.h"
#include "viewer/viewer_state.h"

namespace corvane::test {

// A book of stations "L0+00", "L1+00", ... on the left side of a divided
// roadway ("R0+00" on the right, "0+00" undivided), of `lines` cell lines
// each: eight one-line stations a page.
inline PaginatedBook MakeBook(Side side, RoadwayType type, int stations, int lines) {
    const std::string prefix =
        type == RoadwayType::Undivided ? "" : (side == Side::Left ? "L" : "R");
    Book book{side, type, {}};
    CellLine line{};
    line[0] = {"CL", "0.00", "100.00", "2", "CL", false};
    for (int i = 0; i < stations; ++i)
        book.Stations.push_back({"Cross Sec. Sta.", prefix + std::to_string(i) + "+00", "",
                                 lines - 1, "", "", std::vector(static_cast<size_t>(lines), line)});
    Pagination pagination = Paginate(book, PageSize{96, 63});
    return {std::move(book), std::move(pagination)};
}

// An undivided book of one-line stations, or a divided roadway whose right
// stations take two lines, so its right book is about twice as long.
inline PreparedBooks Undivided(int stations) {
    PreparedBooks books{{{}, PageSize{96, 63}}, HeaderStyle{"P-1", "12 06 2026", ""}, "", {}};
    books.Books.push_back(MakeBook(Side::Left, RoadwayType::Undivided, stations, 1));
    return books;
}
inline PreparedBooks Divided(int stations) {
    PreparedBooks books = Undivided(0);
    books.Books = {MakeBook(Side::Left, RoadwayType::Divided, stations, 1),
                   MakeBook(Side::Right, RoadwayType::Divided, stations, 2)};
    return books;
}

inline int LastPage(const ViewerState& state, Side side) {
    return state.BookOf(side)->Pagination.LastPage;
}

// Answers a dialog by typing each text into the field or list of that name,
// then clicking the button.
inline ScriptedDialogs::Answer Fill(QList<std::pair<QString, QString>> fields,
                                    const QString& button) {
    return [=](QDialog& dialog) {
        for (const auto& [name, text] : fields) {
            QWidget* field = dialog.findChild<QWidget*>(name);
            auto* list = qobject_cast<QComboBox*>(field);
            (list ? list->lineEdit() : qobject_cast<QLineEdit*>(field))->setText(text);
        }
        dialog.findChild<QPushButton*>(button)->click();
        return dialog.result();
    };
}

// Adds a row a case, named by the case's `name`, holding the whole case in the column "c".
template <typename Case>
void AddRows(std::initializer_list<Case> cases) {
    QTest::addColumn<Case>("c");
    for (const Case& c : cases)
        QTest::newRow(c.name) << c;
}

}  // namespace corvane::test
