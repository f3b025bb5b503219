#include "viewer/page_index_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "viewer/dialog_size.h"

namespace corvane {

namespace {

const std::string kAfterPageNumber(5, ' ');
const std::string kBetweenStations(8, ' ');

// The station text of a report station; empty for one the book does not hold.
std::string StationOf(const Book& book, long long index) {
    if (index < 0 || index >= static_cast<long long>(book.Stations.size())) {
        return {};
    }
    return book.Stations[static_cast<size_t>(index)].StationText;
}

QLabel* Heading(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

std::vector<std::string> PageIndexEntries(const PaginatedBook& book) {
    const std::vector<PageStart>& starts = book.Pagination.Starts;
    std::vector<std::string> entries;
    for (int page = 0; page <= book.Pagination.LastPage - 2; ++page) {
        const int first = starts[static_cast<size_t>(page)].Station;
        const int next = starts[static_cast<size_t>(page) + 1].Station;
        entries.push_back(std::to_string(page + 1) + kAfterPageNumber +
                          StationOf(book.Book, first) + kBetweenStations +
                          StationOf(book.Book, next - 1LL));
    }
    return entries;
}

PageIndexDialog::PageIndexDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Select Page Number"));
    entries_ = new QComboBox(this);
    entries_->setObjectName(QStringLiteral("Combo1"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Heading("Label1", "Page#", this), 0, 0);
    grid->addWidget(Heading("Label2", "Start Station", this), 0, 1);
    grid->addWidget(Heading("Label3", "End Station", this), 0, 2);
    grid->addWidget(entries_, 1, 0, 1, 3);
    FixClientSize(*this, 4650, 1245);

    // activated, not currentIndexChanged: picking the entry already shown must close the index too.
    connect(entries_, &QComboBox::activated, this, &PageIndexDialog::EntryPicked);
}

void PageIndexDialog::Relist(const PaginatedBook* book) {
    entries_->clear();
    if (book) {
        for (const std::string& entry : PageIndexEntries(*book)) {
            entries_->addItem(QString::fromStdString(entry));
        }
    }
    // A book of fewer than three pages has no entries: nothing to preset, and
    // the index is left with its close button or Escape.
    entries_->setCurrentIndex(entries_->count() > 0 ? 0 : -1);
}

std::optional<int> PageIndexDialog::PickPage(Dialogs& dialogs) {
    picked_.reset();
    if (dialogs.Exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return picked_;
}

void PageIndexDialog::EntryPicked(int position) {
    // Entry i is page i + 1.
    if (position >= 0 && position < entries_->count()) {
        picked_ = position + 1;
    }
    accept();
}

}  // namespace corvane
