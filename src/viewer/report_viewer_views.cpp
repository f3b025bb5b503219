// The viewer's views of the book: a station range of it, the changes from an
// earlier revision, and the whole book again.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "report/station_value.h"
#include "viewer/error_trap.h"
#include "viewer/report_viewer.h"
#include "viewer/revision_changes.h"
#include "viewer/station_range_dialog.h"

namespace corvane {

namespace {

// The status bar's lines, by name.
const QString kRangeStatus = QStringLiteral("stationRange");
const QString kChangesStatus = QStringLiteral("revisionChanges");

const QString kReportFilter = QStringLiteral("Paving Grades Reports (*.csv)");

// The station text of the lowest (or highest) station shown, for an open bound.
std::string OutermostStation(const ViewerState& state, bool highest) {
    const std::optional<int> digits = state.StationDigits();
    std::optional<TaggedStation> outermost;
    std::string text;
    for (const PaginatedBook& book : state.GradeBooks().Books) {
        for (const ReportStation& station : book.Book.Stations) {
            const std::optional<TaggedStation> value =
                digits ? StationValueOf(station.StationText, *digits) : std::nullopt;
            if (value && (!outermost || (highest ? value->Value > outermost->Value
                                                 : value->Value < outermost->Value))) {
                outermost = value;
                text = station.StationText;
            }
        }
    }
    return text;
}

// "Stations FROM to TO": the bounds as given; an open bound names the
// outermost station shown on its end.
QString RangeStatus(const ViewerState& state) {
    const std::optional<StationRange>& range = state.Range();
    if (!range) {
        return {};
    }
    const std::string from =
        range->FromText.empty() ? OutermostStation(state, false) : range->FromText;
    const std::string to = range->ToText.empty() ? OutermostStation(state, true) : range->ToText;
    return QStringLiteral("Stations %1 to %2")
        .arg(QString::fromStdString(from).trimmed(), QString::fromStdString(to).trimmed());
}

QString ChangesStatus(const ViewerState& state) {
    const RevisionChanges* changes = state.Changes();
    if (!changes) {
        return {};
    }
    return QStringLiteral("Changes from ") +
           QFile::decodeName(FileNameOf(changes->EarlierFile).c_str());
}

}  // namespace

void ReportViewer::AddBookViewEntries(QMenu* view) {
    view->addSeparator();
    connect(AddMenuItem(view, "mnuStations", "&Stations..."), &QAction::triggered, this,
            &ReportViewer::ChooseStations);
    connect(AddMenuItem(view, "mnuAllStations", "&All Stations"), &QAction::triggered, this,
            &ReportViewer::ShowAllStations);
    view->addSeparator();
    connect(AddMenuItem(view, "mnuChanges", "&Changes from Revision..."), &QAction::triggered, this,
            &ReportViewer::ShowChangesFromRevision);
    connect(AddMenuItem(view, "mnuBook", "The &Book"), &QAction::triggered, this,
            &ReportViewer::ShowTheBook);
}

// A range is chosen of the book, and the changes are made against the book on
// show: while the changes are shown, only The Book leads on.
void ReportViewer::ShowWhatIsOnShow() {
    const bool changes = state_.Changes() != nullptr;
    const bool books = !state_.Books().Books.empty();
    MenuItem("mnuStations")->setEnabled(books && !changes);
    MenuItem("mnuAllStations")->setEnabled(state_.Range() && !changes);
    MenuItem("mnuChanges")->setEnabled(books && !changes);
    MenuItem("mnuBook")->setEnabled(changes);
    ShowStatus(kRangeStatus, RangeStatus(state_));
    ShowStatus(kChangesStatus, ChangesStatus(state_));
}

void ReportViewer::ChooseStations() {
    RunTrapped(messages_, "Program Error : ", " occured in mnuStations_Click", [this] {
        StationRangeDialog dialog(state_, messages_, this);
        if (const std::optional<StationRange> range = dialog.Ask(dialogs_)) {
            state_.ShowRange(*range);
            RedrawViewerPage();
        }
    });
}

void ReportViewer::ShowAllStations() {
    RunTrapped(messages_, "Program Error : ", " occured in mnuAllStations_Click", [this] {
        state_.ShowWholeBook();
        RedrawViewerPage();
    });
}

void ReportViewer::ShowChangesFromRevision() {
    RunTrapped(messages_, "Program Error : ", " occured in mnuChanges_Click", [this] {
        // The earlier revision most likely lies beside the report shown.
        const QString folder =
            QFileInfo(QFile::decodeName(state_.Books().SourceFile.c_str())).absolutePath();
        const QString path = dialogs_.OpenFileName(this, QStringLiteral("Changes from Revision"),
                                                   folder, kReportFilter);
        if (path.isEmpty()) {
            return;
        }
        std::optional<RevisionChanges> changes =
            ChangesFromRevision(state_, QFile::encodeName(path).toStdString(), messages_);
        if (changes) {
            state_.ShowChanges(std::move(*changes));
            RedrawViewerPage();
        }
    });
}

void ReportViewer::ShowTheBook() {
    RunTrapped(messages_, "Program Error : ", " occured in mnuBook_Click", [this] {
        state_.ShowGradeBook();
        RedrawViewerPage();
    });
}

}  // namespace corvane
