#include "app/form2.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <exception>

#include "viewer/frm_about.h"
#include "viewer/twips.h"

namespace corvane {

namespace {

constexpr double kClientWidthTwips = 8370;
constexpr double kCollapsedHeightTwips = 3840;
constexpr double kExpandedHeightTwips = 7980;
// Collapsed, the client area is 3420 twips high: the rest is the title bar.
constexpr double kTitleBarTwips = kCollapsedHeightTwips - 3420;

// The file name runs from its label up to the File Browse button, with a gap.
constexpr double kFileBrowseLeftTwips = 6600;
constexpr double kGapTwips = 120;

const char* const kFileFilter = "Geopak Criteria CSV Files (*.csv)";

// The option flag each point-type box drives, by the box's index.
constexpr std::array<int32_t OptionFlags::*, 7> kPointFlags = {
    &OptionFlags::ShowOffsetPoints, &OptionFlags::ShowBreakPoints, &OptionFlags::ShowEdgeOfPavement,
    &OptionFlags::ShowJLPoints,     &OptionFlags::ShowFOCPoints,   &OptionFlags::ShowBOCPoints,
    &OptionFlags::ShowCLPoints};

constexpr int kCheckAllPoints = 7;

QString ArrayName(const char* name, int index) {
    return QString("%1(%2)").arg(name).arg(index);
}

template <typename Control>
Control* Place(Control* control, const QString& name, const QRect& place) {
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

}  // namespace

Form2::Form2(State& state, WindowServices services, QWidget* parent)
    : QWidget(parent), state_(state), services_(services), previewWindows_(state, services) {
    setObjectName("Form2");
    setWindowTitle("Paving Grades Report");

    InitializeState(state_);
    MeasureCurrentPrinterPage(state_, services_.printersAndFonts);

    CreateUpperPart();
    CreateOffsetRows();
    CreatePointTypes();
    SetOuterHeight(kCollapsedHeightTwips);
    Check1_[kCheckAllPoints]->setChecked(true);
}

void Form2::CreateUpperPart() {
    auto* title = Place(new QLabel("Paving Grades Report", this), "Label1",
                        TwipsRect(*this, 120, 120, 8205, 555));
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    title->setFont(titleFont);

    const std::array<QString, 2> prompts = {"Project Number:", "Control Number:"};
    for (int index = 0; index < 2; ++index) {
        Place(new QLabel(prompts[index], this), ArrayName("Label2", index),
              TwipsRect(*this, 600, 960 + index * 600, 2055, 255));
        Text1_[index] = Place(new QLineEdit(this), ArrayName("Text1", index),
                              TwipsRect(*this, 3600, 840 + index * 600, 4215, 375));
    }
    Place(new QLabel("File Name:", this), "Label3", TwipsRect(*this, 600, 2400, 1455, 375))
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label4_ = Place(new QLabel("#", this), "Label4", TwipsRect(*this, 2280, 2400, 120, 375));
    Label4_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ShowFileName("#");

    struct Button {
        const char* caption;
        double left, top, width;
        void (Form2::*click)();
    };
    const std::array<Button, 5> buttons = {{
        {"File Browse", kFileBrowseLeftTwips, 2400, 1575, &Form2::Command1_Click},
        {"About", 360, 3000, 1335, &Form2::Command2_Click},
        {"Preview", 5040, 3000, 1215, &Form2::Command3_Click},
        {"Close", 6960, 3000, 1215, &Form2::Command4_Click},
        {"Customize Rpt.", 2400, 3000, 1935, &Form2::Command5_Click},
    }};
    for (int index = 0; index < 5; ++index) {
        const Button& button = buttons[index];
        Command_[index] =
            Place(new QPushButton(button.caption, this), QString("Command%1").arg(index + 1),
                  TwipsRect(*this, button.left, button.top, button.width, 375));
        connect(Command_[index], &QPushButton::clicked, this, button.click);
    }

    // The tab order follows the row of buttons from left to right.
    QWidget::setTabOrder(Command_[0], Command_[1]);
    QWidget::setTabOrder(Command_[1], Command_[4]);
    QWidget::setTabOrder(Command_[4], Command_[2]);
    QWidget::setTabOrder(Command_[2], Command_[3]);

    // Enter walks the everyday inputs: project, control, then File Browse.
    connect(Text1_[0], &QLineEdit::returnPressed, this,
            [this] { Text1_[1]->setFocus(Qt::OtherFocusReason); });
    connect(Text1_[1], &QLineEdit::returnPressed, this,
            [this] { Command_[0]->setFocus(Qt::OtherFocusReason); });

    auto* line = Place(new QFrame(this), "Line1", TwipsRect(*this, 120, 3590, 8040, 20));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    lowerPart_.push_back(line);
}

void Form2::CreateOffsetRows() {
    const std::array<QString, 2> captions = {"Left offset points with ",
                                             "Right offset points with "};
    const std::array<double, 2> boxWidths = {2535, 2775};
    const std::array<double, 2> distanceHeights = {375, 360};
    for (int index = 0; index < 2; ++index) {
        const double top = 4080 + index * 600;
        Check2_[index] = Place(new QCheckBox(captions[index], this), ArrayName("Check2", index),
                               TwipsRect(*this, 120, top, boxWidths[index], 255));
        Text2_[index] = Place(new QLineEdit(this), ArrayName("Text2", index),
                              TwipsRect(*this, 3000, top, 735, distanceHeights[index]));
        Label6_[index] = Place(new QLabel("offset from ", this), ArrayName("Label6", index),
                               TwipsRect(*this, 3960, top, 1215, 255));
        Combo1_[index] = Place(new QComboBox(this), ArrayName("Combo1", index),
                               TwipsRect(*this, 5520, top, 2175, 360));
        Combo1_[index]->addItems(
            {QString::fromStdString(kFromLastPoint), QString::fromStdString(kFromCenterLine)});

        Text2_[index]->setEnabled(false);
        Label6_[index]->setEnabled(false);
        Combo1_[index]->setEnabled(false);
        connect(Check2_[index], &QCheckBox::toggled, this, [this, index] { Check2_Click(index); });
        lowerPart_.insert(lowerPart_.end(),
                          {Check2_[index], Text2_[index], Label6_[index], Combo1_[index]});
    }
}

void Form2::CreatePointTypes() {
    auto* frame = Place(new QGroupBox("Show On Report", this), "Frame1",
                        TwipsRect(*this, 120, 5280, 8055, 2175));
    lowerPart_.push_back(frame);

    struct Box {
        const char* caption;
        double left, top, width;
    };
    // By index: the seven point types, then "Check All Points" at the top left.
    const std::array<Box, 8> boxes = {{
        {"Offset Points", 480, 720, 2055},
        {"Break Points", 480, 1080, 2055},
        {"Edge of Pavement", 480, 1440, 2415},
        {"JL Points", 480, 1800, 2055},
        {"FOC Points", 3240, 720, 2055},
        {"BOC Points", 3240, 1080, 2055},
        {"CL Points", 3240, 1440, 2055},
        {"Check All Points", 120, 360, 2055},
    }};
    for (int index = 0; index < 8; ++index) {
        const Box& box = boxes[index];
        Check1_[index] = Place(new QCheckBox(box.caption, frame), ArrayName("Check1", index),
                               TwipsRect(*this, box.left, box.top, box.width, 255));
        connect(Check1_[index], &QCheckBox::toggled, this, [this, index] { Check1_Click(index); });
    }
}

void Form2::SetOuterHeight(double twips) {
    outerHeightTwips_ = twips;
    setFixedSize(TwipsToPixels(kClientWidthTwips, logicalDpiX()),
                 TwipsToPixels(twips - kTitleBarTwips, logicalDpiY()));
    // Collapsed, the report options are out of sight and out of the tab order.
    const bool expanded = twips != kCollapsedHeightTwips;
    for (QWidget* control : lowerPart_) {
        control->setVisible(expanded);
    }
}

void Form2::Check1_Click(int index) {
    if (index >= 0 && index < static_cast<int>(kPointFlags.size())) {
        state_.flags.*kPointFlags[index] = Check1_[index]->isChecked() ? 1 : 0;
        return;
    }
    if (index == kCheckAllPoints) {
        // Each box changed runs its own click, so the seven flags follow.
        const bool all = Check1_[kCheckAllPoints]->isChecked();
        for (int box = 0; box < kCheckAllPoints; ++box) {
            Check1_[box]->setChecked(all);
            Check1_[box]->setEnabled(!all);
        }
    }
}

void Form2::Check2_Click(int index) {
    if (index != 0 && index != 1) {
        return;
    }
    const bool ticked = Check2_[index]->isChecked();
    Text2_[index]->setEnabled(ticked);
    Label6_[index]->setEnabled(ticked);
    Combo1_[index]->setEnabled(ticked);
    (index == 0 ? state_.flags.LeftOffsetPoints : state_.flags.RightOffsetPoints) = ticked ? 1 : 0;
}

void Form2::Command1_Click() {
    const QString name = services_.dialogs.OpenFileName(this, "Open", kFileFilter);
    // Cancelling keeps the file chosen last (none at first).
    ChooseFile(name.isEmpty() ? chosenFile_ : name);
}

void Form2::ChooseFile(const QString& path) {
    chosenFile_ = path;
    state_.settings.InputFile = QFile::encodeName(path).toStdString();
    ShowFileName(path);
}

void Form2::ShowFileName(const QString& path) {
    // A path longer than the room before File Browse is shortened in its
    // middle, so its start and the file name stay readable; the tooltip holds
    // it whole.
    const int room = TwipsToPixels(kFileBrowseLeftTwips - kGapTwips, logicalDpiX()) - Label4_->x();
    Label4_->setText(Label4_->fontMetrics().elidedText(path, Qt::ElideMiddle, room));
    Label4_->setToolTip(path);
    Label4_->resize(std::min(Label4_->sizeHint().width(), room), Label4_->height());
}

void Form2::Command2_Click() {
    frmAbout about(services_.messages, services_.systemTools, this);
    services_.dialogs.Exec(about);
}

void Form2::Command3_Click() {
    if (RunPreview(state_, ReadInputs(), services_.messages, previewWindows_) ==
        RunOutcome::EndProgram) {
        // The file's side markers are wrong: its message has been shown, and
        // the program ends as a failure so a calling script can tell.
        EndProgram(1);
    }
}

PreviewInputs Form2::ReadInputs() const {
    PreviewInputs inputs;
    inputs.ProjectNumber = Text1_[0]->text().toStdString();
    inputs.ControlNumber = Text1_[1]->text().toStdString();
    inputs.LeftOffsetTicked = Check2_[0]->isChecked();
    inputs.RightOffsetTicked = Check2_[1]->isChecked();
    inputs.LeftOffsetDistance = Text2_[0]->text().toStdString();
    inputs.RightOffsetDistance = Text2_[1]->text().toStdString();
    inputs.LeftOffsetFrom = Combo1_[0]->currentText().toStdString();
    inputs.RightOffsetFrom = Combo1_[1]->currentText().toStdString();
    inputs.CheckAllPoints = Check1_[kCheckAllPoints]->isChecked();
    return inputs;
}

void Form2::Command4_Click() {
    try {
        EndProgram();
    } catch (const std::exception&) {
        services_.messages.Show("Error occured in Command4_Click");
    }
}

void Form2::Command5_Click() {
    if (Text1_[0]->text().isEmpty() || Text1_[1]->text().isEmpty()) {
        services_.messages.Show("Please Input Project Number and Control Number");
    }
    SetOuterHeight(outerHeightTwips_ != kCollapsedHeightTwips ? kCollapsedHeightTwips
                                                              : kExpandedHeightTwips);
}

void Form2::EndProgram(int exitStatus) {
    exitStatus_ = exitStatus;
    close();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) {
            window->close();
        }
    }
    QCoreApplication::exit(exitStatus_);
}

}  // namespace corvane
