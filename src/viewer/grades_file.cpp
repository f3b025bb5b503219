#include "viewer/grades_file.h"

#include <QString>

#include <vector>

#include "compare/change_rows.h"
#include "report/grades_table.h"
#include "sheets/csv_writer.h"
#include "sheets/xlsx_writer.h"

namespace corvane {

namespace {

WriteOutcome WriteChanges(const Comparison& changes, const std::string& path, SheetForm form) {
    const RowTable table = ChangeRows(changes);
    if (form == SheetForm::Xlsx) {
        return WriteXlsx({{kChangesSheetName, table}}, path);
    }
    return WriteCsv(table, path);
}

// Station values are read with the B digits of the whole file, also for the
// books of a range, whose first station may be written shorter.
WriteOutcome WriteGrades(const ViewerState& state, const std::string& path, SheetForm form) {
    const std::vector<const Book*> books = BooksOf(state.GradeBooks());
    if (form == SheetForm::Csv) {
        return WriteCsv(GradeRows(books, state.StationDigits()), path);
    }
    const std::vector<GradeRows> tables = GradeRowsPerBook(books, state.StationDigits());
    std::vector<SheetRows> sheets;
    for (const GradeRows& table : tables) {
        sheets.push_back({table.SheetName(), table});
    }
    return WriteXlsx(sheets, path);
}

}  // namespace

SheetForm SheetFormOf(const std::string& path) {
    return QString::fromStdString(path).endsWith(".xlsx", Qt::CaseInsensitive) ? SheetForm::Xlsx
                                                                               : SheetForm::Csv;
}

WriteOutcome WriteShownGrades(const ViewerState& state, const std::string& path) {
    const SheetForm form = SheetFormOf(path);
    if (const RevisionChanges* changes = state.Changes()) {
        return WriteChanges(changes->Changes, path, form);
    }
    return WriteGrades(state, path, form);
}

}  // namespace corvane
