#include "viewer/station_finder.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "common/text.h"
#include "viewer/dialog_size.h"

namespace corvane {

namespace {

QLabel* MakeLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

const std::string kEntryGap(12, ' ');  // between the page and the station

bool ListShows(const QComboBox& list, const std::vector<StationOnPage>& stations) {
    if (list.count() != static_cast<int>(stations.size())) {
        return false;
    }
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i).toStdString() != FinderEntry(stations[static_cast<size_t>(i)])) {
            return false;
        }
    }
    return true;
}

void FillList(QComboBox& list, const std::vector<StationOnPage>& stations) {
    list.clear();
    for (const StationOnPage& station : stations) {
        list.addItem(QString::fromStdString(FinderEntry(station)));
    }
}

void PresetToFirstEntry(QComboBox& list) {
    if (list.count() > 0) {
        list.setCurrentIndex(0);
    }
    if (list.isEditable()) {
        list.setEditText(list.count() > 0 ? list.itemText(0) : QString());
    }
}

}  // namespace

std::string FinderEntry(const StationOnPage& station) {
    return std::to_string(station.Page + 1) + kEntryGap + station.StationText;
}

std::optional<int> ReadEntryPageNumber(const std::string& entry, std::string& why) {
    const std::string_view trimmed = Trim(entry);
    const size_t blank = trimmed.find(' ');
    // Only the text before the first blank is the page number; an entry
    // without a blank holds no page number.
    const std::string_view number =
        blank == std::string_view::npos ? std::string_view{} : trimmed.substr(0, blank);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error == std::errc::invalid_argument ||
        end != number.data() + number.size()) {
        why = "Type mismatch";
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range || value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        why = "Overflow";
        return std::nullopt;
    }
    return static_cast<int>(value);
}

StationFinder::StationFinder(ViewerState& state, Messages& messages, RedrawViewerPage redraw,
                             QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), redraw_(std::move(redraw)) {
    setObjectName(QStringLiteral("frmStation"));
    setWindowTitle(QStringLiteral("Find Station on the Page"));
    setModal(false);

    leftList_ = new QComboBox(this);
    leftList_->setObjectName(QStringLiteral("Combo1"));
    rightList_ = new QComboBox(this);
    rightList_->setObjectName(QStringLiteral("Combo2"));
    rightList_->setEditable(true);
    rightList_->setEditText(QStringLiteral("Combo2"));
    auto* find = new QPushButton(QStringLiteral("Find"), this);
    find->setObjectName(QStringLiteral("Command1"));
    find->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeLabel("Label2", "Page #", this), 0, 1);
    grid->addWidget(MakeLabel("Label3", "Station", this), 0, 2);
    grid->addWidget(MakeLabel("Label1", "Station :", this), 1, 0);
    // The two lists share one place; only one is visible at a time.
    grid->addWidget(leftList_, 1, 1, 1, 2);
    grid->addWidget(rightList_, 1, 1, 1, 2);
    grid->addWidget(find, 2, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    leftList_->setMinimumContentsLength(30);
    rightList_->setMinimumContentsLength(30);
    FixClientSize(*this, 4680, 1605);

    connect(find, &QPushButton::clicked, this, &StationFinder::FindStation);
}

void StationFinder::FillLists() {
    FillList(*leftList_, state_.StationsOnPages(Side::Left));
    FillList(*rightList_, state_.StationsOnPages(Side::Right));
}

bool StationFinder::ListsAreCurrent() const {
    return ListShows(*leftList_, state_.StationsOnPages(Side::Left)) &&
           ListShows(*rightList_, state_.StationsOnPages(Side::Right));
}

void StationFinder::Open(Side side) {
    side_ = side;
    FillLists();
    leftList_->setVisible(side == Side::Left);
    rightList_->setVisible(side == Side::Right);
    PresetToFirstEntry(*ListOf(side));
    show();
    raise();
    activateWindow();
}

QComboBox* StationFinder::ListOf(Side side) const {
    return side == Side::Left ? leftList_ : rightList_;
}

// Goes to the page of the entry of the list on show, in the book of its side.
void StationFinder::FindStation() {
    QComboBox* list = ListOf(side_);
    if (!ListsAreCurrent()) {
        // A Preview ran while the finder was open: its entries belong to the
        // earlier book. Offer the new stations and let the user choose again.
        FillLists();
        PresetToFirstEntry(*list);
        return;
    }
    std::string why;
    const std::optional<int> page = ReadEntryPageNumber(list->currentText().toStdString(), why);
    if (!page) {
        // The finder stays shown so the entry can be corrected.
        messages_.Show(" Program Error : " + why);
        return;
    }
    // An edited entry may name any number: stay within the book.
    if (const PaginatedBook* book = state_.BookOf(side_)) {
        const int lastPage = std::max(book->Pagination.LastPage, 0);
        if (state_.GoTo(side_, std::clamp(*page - 1, 0, lastPage)) && redraw_) {
            redraw_();
        }
    }
    hide();
}

}  // namespace corvane
