#include "viewer/form5.h"

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

#include "viewer/dialog_size.h"
#include "viewer/form6.h"
#include "viewer/painter_surface.h"

namespace corvane {

namespace {

const QString kTotalPages = QStringLiteral("Total Number of Pages:");
const QString kTotalLeft = QStringLiteral("Total Left Side Pages:");
const QString kTotalRight = QStringLiteral("Total Right Side Pages:");

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

// The page number of a page index entry with the one blank after it, e.g. "12 ".
std::string PageNumberOfEntry(const std::string& entry) {
    const std::string_view trimmed = Trim(entry);
    const size_t blank = trimmed.find(' ');
    return std::string(blank == std::string_view::npos ? std::string_view{}
                                                       : trimmed.substr(0, blank + 1));
}

}  // namespace

std::optional<int32_t> ReadPageNumber(const std::string& text, int32_t pageCount) {
    const std::string_view trimmed = Trim(text);
    int32_t page = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), page);
    if (trimmed.empty() || error != std::errc{} || end != trimmed.data() + trimmed.size() ||
        page < 1 || page > pageCount) {
        return std::nullopt;
    }
    return page;
}

Form5::Form5(State& state, Messages& messages, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Print Selected Pages"));
    CreateControls();
    ReserveRoomForEveryCaption();
    SetRoadwayType(QString::fromStdString(ToUpper(state_.settings.RoadwayType)));
    ShowTotal();
}

void Form5::CreateControls() {
    label4_ = MakeLabel("Label4", QString(), this);
    label4_->installEventFilter(this);
    combo2_ = new QComboBox(this);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->addItems({QString::fromStdString(kLeftSide), QString::fromStdString(kRightSide)});
    combo2_->setCurrentIndex(-1);
    combo2_->hide();
    label3_ = MakeLabel("Label3", kTotalPages, this);
    label6_ = MakeLabel("Label6", QString(), this);
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_ = new QLineEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    QPushButton* command2 = MakeButton("Command2", " . . .", this);
    QPushButton* command3 = MakeButton("Command3", " . . .", this);
    QPushButton* cancel = MakeButton("Command1(0)", "Cancel", this);
    QPushButton* print = MakeButton("Command1(1)", "Print", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeLabel("Label2", QStringLiteral("Roadway Type:"), this), 0, 0);
    grid->addWidget(label4_, 0, 1);
    grid->addWidget(combo2_, 0, 2);
    grid->addWidget(label3_, 1, 0);
    grid->addWidget(label6_, 1, 1);
    grid->addWidget(MakeLabel("Label1", QStringLiteral("Print Pages From:"), this), 2, 0);
    grid->addWidget(text1_, 2, 1);
    grid->addWidget(command2, 2, 2);
    grid->addWidget(MakeLabel("Label5", QStringLiteral("To:"), this), 3, 0);
    grid->addWidget(text2_, 3, 1);
    grid->addWidget(command3, 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(print);
    grid->addLayout(buttons, 4, 0, 1, 3);

    connect(combo2_, &QComboBox::activated, this, &Form5::Combo2_Click);
    connect(command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    connect(command3, &QPushButton::clicked, this, &Form5::Command3_Click);
    connect(cancel, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(print, &QPushButton::clicked, this, [this] { Command1_Click(1); });
}

// The headings, the roadway type and the side list change with each Preview and
// side; their room is kept for the widest of them, so the dialog keeps its
// size and no caption is cut when one changes.
void Form5::ReserveRoomForEveryCaption() {
    ReserveWidthFor(*label3_, {kTotalPages, kTotalLeft, kTotalRight});
    ReserveWidthFor(*label4_,
                    {QString::fromStdString(kUndivided), QString::fromStdString(kDivided)});
    QSizePolicy sideListPolicy = combo2_->sizePolicy();
    sideListPolicy.setRetainSizeWhenHidden(true);
    combo2_->setSizePolicy(sideListPolicy);
}

Form6& Form5::PageIndex() {
    if (!pageIndex_) {
        pageIndex_ = new Form6(state_, this);
        pageIndex_->Relist(SideText());
    }
    return *pageIndex_;
}

std::string Form5::SideText() const {
    return combo2_->currentText().toStdString();
}

bool Form5::IsDivided() const {
    return ToUpper(state_.settings.RoadwayType) == kDivided;
}

void Form5::Refresh() {
    const QString roadwayType = QString::fromStdString(ToUpper(state_.settings.RoadwayType));
    if (label4_->text() != roadwayType) {
        SetRoadwayType(roadwayType);
    }
    // A new Preview of the same roadway type may have changed the page totals.
    ShowTotal();
}

void Form5::SetRoadwayType(const QString& roadwayType) {
    label4_->setText(roadwayType);
    Label4_Change();
}

bool Form5::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label4_ && event->type() == QEvent::MouseButtonRelease) {
        Label4_Change();
    }
    return QDialog::eventFilter(watched, event);
}

void Form5::Label4_Change() {
    const std::string roadwayType = ToUpper(label4_->text().toStdString());
    if (roadwayType == kUndivided) {
        combo2_->hide();
    } else if (roadwayType == kDivided) {
        combo2_->show();
        combo2_->setCurrentIndex(combo2_->findText(QString::fromStdString(kLeftSide)));
        Combo2_Click();
    }
}

void Form5::Combo2_Click() {
    PageIndex().Clear();
    ShowTotal();
    PageIndex().Relist(SideText());
}

int32_t Form5::LastPageOfChosenBook() const {
    if (!IsDivided()) {
        return state_.cursor.LastPage;
    }
    return SideText() == kRightSide ? state_.cursor.LastPageRight : state_.cursor.LastPageLeft;
}

void Form5::ShowTotal() {
    if (IsDivided()) {
        label3_->setText(SideText() == kRightSide ? kTotalRight : kTotalLeft);
    } else {
        label3_->setText(kTotalPages);
    }
    label6_->setText(QString::number(int64_t{LastPageOfChosenBook()} + 1));
    // A total longer than any before may need more room.
    FixClientSize(*this, 4680, 3330);
}

void Form5::Command2_Click() {
    PickPage(*text1_);
}

void Form5::Command3_Click() {
    PickPage(*text2_);
}

void Form5::PickPage(QLineEdit& field) {
    Form6& index = PageIndex();
    // Listed afresh, so a new Preview since the last relisting cannot offer stale pages.
    index.Relist(SideText());
    if (dialogs_.Exec(index) != QDialog::Accepted) {
        return;  // left without a choice: the field keeps its text
    }
    const std::string pageNumber = PageNumberOfEntry(index.Entry(state_.dialogs.PageIndexPick));
    if (!pageNumber.empty()) {
        field.setText(QString::fromStdString(pageNumber));
    }
}

void Form5::Command1_Click(int index) {
    if (index == 1) {
        Print();
    } else {
        Cancel();
    }
}

void Form5::Print() {
    const int32_t pageCount = LastPageOfChosenBook() + 1;
    const std::optional<int32_t> from = ReadPageNumber(text1_->text().toStdString(), pageCount);
    const std::optional<int32_t> to = ReadPageNumber(text2_->text().toStdString(), pageCount);
    if (!from || !to) {
        messages_.Show(" Page numbers should be from 1 to " + std::to_string(pageCount) +
                       ", Please correct");
        return;
    }
    state_.dialogs.PrintFromPage = static_cast<int16_t>(*from - 1);
    state_.dialogs.PrintToPage = static_cast<int16_t>(*to - 1);
    if (*to < *from) {
        messages_.Show(" From Page should be smaller than To Page, Please correct");
        return;
    }
    state_.dialogs.PrintCancelled = false;
    accept();
}

void Form5::Cancel() {
    state_.dialogs.PrintFromPage = 0;
    state_.dialogs.PrintToPage = 0;
    state_.dialogs.PrintCancelled = true;
    reject();
}

}  // namespace corvane
