#include "viewer/station_range_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "viewer/dialog_size.h"

namespace corvane {

namespace {

// Room for a tagged station text such as "2389+00.00 R1" and more.
constexpr int kStationColumns = 20;

QComboBox* MakeStationList(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumContentsLength(kStationColumns);
    return list;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The station texts of a book in file order, each once.
QStringList StationTexts(const PaginatedBook* book) {
    QStringList texts;
    if (!book) {
        return texts;
    }
    for (const ReportStation& station : book->Book.Stations) {
        const QString text = QString::fromStdString(station.StationText).trimmed();
        if (!text.isEmpty() && (texts.isEmpty() || texts.last() != text)) {
            texts << text;
        }
    }
    return texts;
}

void Fill(QComboBox& list, const QStringList& stations, const std::string& preset) {
    list.clear();
    list.addItems(stations);
    list.setCurrentIndex(-1);
    list.setEditText(QString::fromStdString(preset));
}

}  // namespace

StationRangeDialog::StationRangeDialog(const ViewerState& state, Messages& messages,
                                       QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("StationRangeDialog"));
    setWindowTitle(QStringLiteral("Stations"));
    from_ = MakeStationList("FromStation", this);
    to_ = MakeStationList("ToStation", this);
    auto* fromLabel = new QLabel(QStringLiteral("From"), this);
    fromLabel->setObjectName(QStringLiteral("FromLabel"));
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(QStringLiteral("To"), this);
    toLabel->setObjectName(QStringLiteral("ToLabel"));
    toLabel->setBuddy(to_);
    QPushButton* ok = MakeButton("cmdOK", "OK", this);
    ok->setDefault(true);
    QPushButton* cancel = MakeButton("cmdCancel", "Cancel", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(fromLabel, 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(toLabel, 1, 0);
    grid->addWidget(to_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    FixClientSize(*this, 4200, 1500);

    connect(ok, &QPushButton::clicked, this, &StationRangeDialog::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void StationRangeDialog::Refresh() {
    const QStringList stations = StationTexts(state_.Books().BookOf(state_.CurrentSide()));
    const std::optional<StationRange>& shown = state_.Range();
    Fill(*from_, stations, shown ? shown->FromText : std::string());
    Fill(*to_, stations, shown ? shown->ToText : std::string());
}

std::optional<StationRange> StationRangeDialog::Ask(Dialogs& dialogs) {
    Refresh();
    range_.reset();
    if (dialogs.Exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return range_;
}

void StationRangeDialog::Accept() {
    const QString text =
        from_->currentText().trimmed() + QStringLiteral("..") + to_->currentText().trimmed();
    StationRangeReading reading = state_.ReadRange(text.toStdString());
    if (!reading.Range) {
        messages_.Show(reading.Refusal);
        return;
    }
    range_ = std::move(reading.Range);
    accept();
}

}  // namespace corvane
