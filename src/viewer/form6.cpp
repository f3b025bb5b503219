#include "viewer/form6.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "viewer/dialog_size.h"

namespace corvane {

namespace {

const std::string kAfterPageNumber(5, ' ');
const std::string kBetweenStations(8, ' ');

struct BookIndex {
    const std::vector<PageStart>* starts = nullptr;
    const ReportBook* book = nullptr;
    int32_t lastPage = -1;
};

BookIndex ChooseBook(const State& state, const std::string& side) {
    const std::string roadway = ToUpper(state.settings.RoadwayType);
    if (roadway == kUndivided) {
        return {&state.cursor.PageStartUndivided, &state.report.FinalReport, state.cursor.LastPage};
    }
    if (roadway == kDivided && side == kLeftSide) {
        return {&state.cursor.PageStartLeft, &state.report.FinalReportLeft,
                state.cursor.LastPageLeft};
    }
    if (roadway == kDivided && side == kRightSide) {
        return {&state.cursor.PageStartRight, &state.report.FinalReportRight,
                state.cursor.LastPageRight};
    }
    return {};
}

// The station text of a report row; empty for a row the book does not hold.
std::string StationOf(const ReportBook& book, int64_t row) {
    if (row < 0 || row >= static_cast<int64_t>(book.size())) {
        return {};
    }
    return book[static_cast<size_t>(row)].Station;
}

QLabel* Heading(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

std::vector<std::string> PageIndexEntries(const State& state, const std::string& side) {
    const BookIndex index = ChooseBook(state, side);
    std::vector<std::string> entries;
    if (!index.starts || !index.book) {
        return entries;
    }
    const auto& starts = *index.starts;
    for (int32_t page = 0; page <= index.lastPage - 2; ++page) {
        if (static_cast<size_t>(page) + 1 >= starts.size()) {
            break;  // not laid out: no station is known for it
        }
        const int32_t first = starts[page].Station;
        const int32_t next = starts[page + 1].Station;
        entries.push_back(std::to_string(page + 1) + kAfterPageNumber +
                          StationOf(*index.book, first) + kBetweenStations +
                          StationOf(*index.book, int64_t{next} - 1));
    }
    return entries;
}

Form6::Form6(State& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Select Page Number"));
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Heading("Label1", "Page#", this), 0, 0);
    grid->addWidget(Heading("Label2", "Start Station", this), 0, 1);
    grid->addWidget(Heading("Label3", "End Station", this), 0, 2);
    grid->addWidget(combo1_, 1, 0, 1, 3);
    FixClientSize(*this, 4650, 1245);

    // activated, not currentIndexChanged: picking the entry already shown must close the index too.
    connect(combo1_, &QComboBox::activated, this, &Form6::Combo1_Click);
}

void Form6::Clear() {
    combo1_->clear();
}

void Form6::Relist(const std::string& side) {
    Clear();
    for (const std::string& entry : PageIndexEntries(state_, side)) {
        combo1_->addItem(QString::fromStdString(entry));
    }
    // A book of fewer than three pages has no entries: nothing to preset, and
    // the index is left with its close button or Escape.
    combo1_->setCurrentIndex(combo1_->count() > 0 ? 0 : -1);
}

int Form6::EntryCount() const {
    return combo1_->count();
}

std::string Form6::Entry(int position) const {
    if (position < 0 || position >= combo1_->count()) {
        return {};
    }
    return combo1_->itemText(position).toStdString();
}

void Form6::Combo1_Click(int position) {
    state_.dialogs.PageIndexPick = static_cast<int16_t>(position);
    accept();
}

}  // namespace corvane
