#include "viewer/print_pages_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "common/text.h"
#include "viewer/dialog_size.h"
#include "viewer/page_index_dialog.h"
#include "viewer/painter_surface.h"

namespace corvane {

namespace {

const QString kTotalPages = QStringLiteral("Total Number of Pages:");
const QString kTotalLeft = QStringLiteral("Total Left Side Pages:");
const QString kTotalRight = QStringLiteral("Total Right Side Pages:");
const QString kUndivided = QStringLiteral("UNDIVIDED");
const QString kDivided = QStringLiteral("DIVIDED");
const QString kLeftSide = QStringLiteral("LeftSide");
const QString kRightSide = QStringLiteral("RightSide");

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = ReportFont("Courier New");
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Keeps a label wide enough for the widest of the captions it can show.
void ReserveWidthFor(QLabel& label, std::initializer_list<QString> captions) {
    int widest = 0;
    for (const QString& caption : captions) {
        widest = std::max(widest, label.fontMetrics().horizontalAdvance(caption));
    }
    label.setMinimumWidth(widest + 2 * label.margin());
}

// Reads a 1-based page number typed by the user: a whole number from 1 to
// pageCount, blanks around it allowed. Anything else gives no page.
std::optional<int> ReadPageNumber(const std::string& text, int pageCount) {
    const std::string_view trimmed = Trim(text);
    int page = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), page);
    if (trimmed.empty() || error != std::errc{} || end != trimmed.data() + trimmed.size() ||
        page < 1 || page > pageCount) {
        return std::nullopt;
    }
    return page;
}

}  // namespace

PrintPagesDialog::PrintPagesDialog(const ViewerState& state, Messages& messages, Dialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Print Selected Pages"));
    pageIndex_ = new PageIndexDialog(this);
    CreateControls();
    ReserveRoomForEveryCaption();
    Refresh();
    pageIndex_->Relist(ChosenBook());
}

void PrintPagesDialog::CreateControls() {
    roadwayType_ = MakeLabel("Label4", QString(), this);
    roadwayType_->installEventFilter(this);
    sideList_ = new QComboBox(this);
    sideList_->setObjectName(QStringLiteral("Combo2"));
    sideList_->addItems({kLeftSide, kRightSide});
    sideList_->setCurrentIndex(-1);
    sideList_->hide();
    totalHeading_ = MakeLabel("Label3", kTotalPages, this);
    pageTotal_ = MakeLabel("Label6", QString(), this);
    firstPage_ = new QLineEdit(this);
    firstPage_->setObjectName(QStringLiteral("Text1"));
    lastPage_ = new QLineEdit(this);
    lastPage_->setObjectName(QStringLiteral("Text2"));
    QPushButton* command2 = MakeButton("Command2", " . . .", this);
    QPushButton* command3 = MakeButton("Command3", " . . .", this);
    QPushButton* cancel = MakeButton("Command1(0)", "Cancel", this);
    QPushButton* print = MakeButton("Command1(1)", "Print", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeLabel("Label2", QStringLiteral("Roadway Type:"), this), 0, 0);
    grid->addWidget(roadwayType_, 0, 1);
    grid->addWidget(sideList_, 0, 2);
    grid->addWidget(totalHeading_, 1, 0);
    grid->addWidget(pageTotal_, 1, 1);
    grid->addWidget(MakeLabel("Label1", QStringLiteral("Print Pages From:"), this), 2, 0);
    grid->addWidget(firstPage_, 2, 1);
    grid->addWidget(command2, 2, 2);
    grid->addWidget(MakeLabel("Label5", QStringLiteral("To:"), this), 3, 0);
    grid->addWidget(lastPage_, 3, 1);
    grid->addWidget(command3, 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(print);
    grid->addLayout(buttons, 4, 0, 1, 3);

    connect(sideList_, &QComboBox::activated, this, &PrintPagesDialog::SideChosen);
    connect(command2, &QPushButton::clicked, this, &PrintPagesDialog::PickFirstPage);
    connect(command3, &QPushButton::clicked, this, &PrintPagesDialog::PickLastPage);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, &PrintPagesDialog::Print);
}

// The headings, the roadway type and the side list change with each Preview and
// side; their room is kept for the widest of them, so the dialog keeps its
// size and no caption is cut when one changes.
void PrintPagesDialog::ReserveRoomForEveryCaption() {
    ReserveWidthFor(*totalHeading_, {kTotalPages, kTotalLeft, kTotalRight});
    ReserveWidthFor(*roadwayType_, {kUndivided, kDivided});
    QSizePolicy sideListPolicy = sideList_->sizePolicy();
    sideListPolicy.setRetainSizeWhenHidden(true);
    sideList_->setSizePolicy(sideListPolicy);
}

std::optional<PageRange> PrintPagesDialog::Ask() {
    Refresh();
    range_.reset();
    if (dialogs_.Exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return range_;
}

// The roadway type in Label4 (a new type runs the type handling) and the page
// totals of the books on show.
void PrintPagesDialog::Refresh() {
    const QString roadwayType = state_.Type() == RoadwayType::Divided ? kDivided : kUndivided;
    if (roadwayType_->text() != roadwayType) {
        roadwayType_->setText(roadwayType);
        ShowSideChoice();
    }
    // A new Preview of the same roadway type may have changed the page totals.
    ShowTotal();
}

bool PrintPagesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == roadwayType_ && event->type() == QEvent::MouseButtonRelease) {
        ShowSideChoice();
    }
    return QDialog::eventFilter(watched, event);
}

void PrintPagesDialog::ShowSideChoice() {
    if (state_.Type() == RoadwayType::Undivided) {
        sideList_->hide();
    } else {
        sideList_->show();
        sideList_->setCurrentIndex(sideList_->findText(kLeftSide));
        SideChosen();
    }
}

void PrintPagesDialog::SideChosen() {
    ShowTotal();
    pageIndex_->Relist(ChosenBook());
}

Side PrintPagesDialog::ChosenSide() const {
    if (state_.Type() == RoadwayType::Divided && sideList_->currentText() == kRightSide) {
        return Side::Right;
    }
    return Side::Left;
}

const PaginatedBook* PrintPagesDialog::ChosenBook() const {
    return state_.BookOf(ChosenSide());
}

// Of the book on show: a grade book or a changes book.
int PrintPagesDialog::LastPageOfChosenBook() const {
    return state_.LastPage(ChosenSide()).value_or(0);
}

void PrintPagesDialog::ShowTotal() {
    if (state_.Type() == RoadwayType::Divided) {
        totalHeading_->setText(ChosenSide() == Side::Right ? kTotalRight : kTotalLeft);
    } else {
        totalHeading_->setText(kTotalPages);
    }
    pageTotal_->setText(QString::number(LastPageOfChosenBook() + 1LL));
    // A total longer than any before may need more room.
    FixClientSize(*this, 4680, 3330);
}

void PrintPagesDialog::PickFirstPage() {
    PickPage(*firstPage_);
}

void PrintPagesDialog::PickLastPage() {
    PickPage(*lastPage_);
}

// Puts the page number picked in the page index, with one blank after it
// ("12 "), into the field; left without a pick, the field keeps its text.
void PrintPagesDialog::PickPage(QLineEdit& field) {
    // Listed afresh, so a new Preview since the last relisting cannot offer stale pages.
    pageIndex_->Relist(ChosenBook());
    if (const std::optional<int> page = pageIndex_->PickPage(dialogs_)) {
        field.setText(QString::number(*page) + QLatin1Char(' '));
    }
}

void PrintPagesDialog::Print() {
    const int pageCount = LastPageOfChosenBook() + 1;
    const std::optional<int> from = ReadPageNumber(firstPage_->text().toStdString(), pageCount);
    const std::optional<int> to = ReadPageNumber(lastPage_->text().toStdString(), pageCount);
    if (!from || !to) {
        messages_.Show(" Page numbers should be from 1 to " + std::to_string(pageCount) +
                       ", Please correct");
        return;
    }
    if (*to < *from) {
        messages_.Show(" From Page should be smaller than To Page, Please correct");
        return;
    }
    range_ = PageRange{ChosenSide(), *from - 1, *to - 1};
    accept();
}

}  // namespace corvane
