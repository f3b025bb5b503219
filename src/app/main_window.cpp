#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <exception>

#include "viewer/about_dialog.h"
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

// The point type each box of the "Show On Report" frame stands for, by the box's index.
constexpr std::array<bool PointTypes::*, 7> kPointTypeOfBox = {
    &PointTypes::OffsetPoints, &PointTypes::BreakPoints, &PointTypes::EdgeOfPavement,
    &PointTypes::JLPoints,     &PointTypes::FOCPoints,   &PointTypes::BOCPoints,
    &PointTypes::CLPoints};

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

// The choices of an offset row's Combo1, in list order, with what each asks of the run.
struct OffsetChoice {
    const char* caption;
    OffsetFrom from;
};
constexpr std::array<OffsetChoice, 2> kOffsetChoices = {{
    {"From Last Point", OffsetFrom::LastPoint},
    {"From Center Line", OffsetFrom::CenterLine},
}};

OffsetRow OffsetRowOf(const QCheckBox& box, const QLineEdit& distance, const QComboBox& from) {
    // The list is not editable: the current entry is always one of the choices.
    const auto choice = static_cast<size_t>(std::max(from.currentIndex(), 0));
    return OffsetRow{box.isChecked(), distance.text().toStdString(), kOffsetChoices[choice].from};
}

// The file a drop brings: exactly one local URL naming an existing regular
// file. Empty for anything else (several files, a folder, text).
QString DroppedFile(const QMimeData* dropped) {
    if (!dropped || dropped->urls().size() != 1 || !dropped->urls().front().isLocalFile())
        return {};
    const QString path = dropped->urls().front().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

}  // namespace

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(services), previewWindows_(services) {
    setObjectName("Form2");
    setWindowTitle("Paving Grades Report");

    CreateUpperPart();
    CreateOffsetRows();
    CreatePointTypes();
    SetOuterHeight(kCollapsedHeightTwips);
    pointTypeBoxes_[kCheckAllPoints]->setChecked(true);
    TakeDrops();
}

void MainWindow::CreateUpperPart() {
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
        numbers_[index] = Place(new QLineEdit(this), ArrayName("Text1", index),
                                TwipsRect(*this, 3600, 840 + index * 600, 4215, 375));
    }
    Place(new QLabel("File Name:", this), "Label3", TwipsRect(*this, 600, 2400, 1455, 375))
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fileName_ = Place(new QLabel("#", this), "Label4", TwipsRect(*this, 2280, 2400, 120, 375));
    fileName_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ShowFileName("#");

    struct Button {
        const char* caption;
        double left, top, width;
        void (MainWindow::*click)();
    };
    const std::array<Button, 5> buttons = {{
        {"File Browse", kFileBrowseLeftTwips, 2400, 1575, &MainWindow::BrowseForFile},
        {"About", 360, 3000, 1335, &MainWindow::ShowAbout},
        {"Preview", 5040, 3000, 1215, &MainWindow::Preview},
        {"Close", 6960, 3000, 1215, &MainWindow::CloseProgram},
        {"Customize Rpt.", 2400, 3000, 1935, &MainWindow::ToggleReportOptions},
    }};
    for (int index = 0; index < 5; ++index) {
        const Button& button = buttons[index];
        commands_[index] =
            Place(new QPushButton(button.caption, this), QString("Command%1").arg(index + 1),
                  TwipsRect(*this, button.left, button.top, button.width, 375));
        connect(commands_[index], &QPushButton::clicked, this, button.click);
    }

    // The tab order follows the row of buttons from left to right.
    QWidget::setTabOrder(commands_[0], commands_[1]);
    QWidget::setTabOrder(commands_[1], commands_[4]);
    QWidget::setTabOrder(commands_[4], commands_[2]);
    QWidget::setTabOrder(commands_[2], commands_[3]);

    // Enter walks the everyday inputs: project, control, then File Browse.
    connect(numbers_[0], &QLineEdit::returnPressed, this,
            [this] { numbers_[1]->setFocus(Qt::OtherFocusReason); });
    connect(numbers_[1], &QLineEdit::returnPressed, this,
            [this] { commands_[0]->setFocus(Qt::OtherFocusReason); });

    auto* line = Place(new QFrame(this), "Line1", TwipsRect(*this, 120, 3590, 8040, 20));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    lowerPart_.push_back(line);
}

void MainWindow::CreateOffsetRows() {
    const std::array<QString, 2> captions = {"Left offset points with ",
                                             "Right offset points with "};
    const std::array<double, 2> boxWidths = {2535, 2775};
    const std::array<double, 2> distanceHeights = {375, 360};
    for (int index = 0; index < 2; ++index) {
        const double top = 4080 + index * 600;
        offsetBoxes_[index] =
            Place(new QCheckBox(captions[index], this), ArrayName("Check2", index),
                  TwipsRect(*this, 120, top, boxWidths[index], 255));
        offsetDistances_[index] = Place(new QLineEdit(this), ArrayName("Text2", index),
                                        TwipsRect(*this, 3000, top, 735, distanceHeights[index]));
        offsetFromLabels_[index] =
            Place(new QLabel("offset from ", this), ArrayName("Label6", index),
                  TwipsRect(*this, 3960, top, 1215, 255));
        offsetFrom_[index] = Place(new QComboBox(this), ArrayName("Combo1", index),
                                   TwipsRect(*this, 5520, top, 2175, 360));
        for (const OffsetChoice& choice : kOffsetChoices)
            offsetFrom_[index]->addItem(choice.caption);

        offsetDistances_[index]->setEnabled(false);
        offsetFromLabels_[index]->setEnabled(false);
        offsetFrom_[index]->setEnabled(false);
        connect(offsetBoxes_[index], &QCheckBox::toggled, this,
                [this, index] { OffsetBoxClicked(index); });
        lowerPart_.insert(lowerPart_.end(), {offsetBoxes_[index], offsetDistances_[index],
                                             offsetFromLabels_[index], offsetFrom_[index]});
    }
}

void MainWindow::CreatePointTypes() {
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
        pointTypeBoxes_[index] =
            Place(new QCheckBox(box.caption, frame), ArrayName("Check1", index),
                  TwipsRect(*this, box.left, box.top, box.width, 255));
    }
    connect(pointTypeBoxes_[kCheckAllPoints], &QCheckBox::toggled, this,
            &MainWindow::CheckAllPointsClicked);
}

void MainWindow::SetOuterHeight(double twips) {
    outerHeightTwips_ = twips;
    setFixedSize(TwipsToPixels(kClientWidthTwips, logicalDpiX()),
                 TwipsToPixels(twips - kTitleBarTwips, logicalDpiY()));
    // Collapsed, the report options are out of sight and out of the tab order.
    const bool expanded = twips != kCollapsedHeightTwips;
    for (QWidget* control : lowerPart_) {
        control->setVisible(expanded);
    }
}

// Ticked, every point type is shown and the seven boxes are locked ticked;
// unticked, all seven are cleared and free to choose.
void MainWindow::CheckAllPointsClicked() {
    const bool all = pointTypeBoxes_[kCheckAllPoints]->isChecked();
    for (int box = 0; box < kCheckAllPoints; ++box) {
        pointTypeBoxes_[box]->setChecked(all);
        pointTypeBoxes_[box]->setEnabled(!all);
    }
}

// An offset row's distance and choice are open only while its box is ticked;
// unticked, they keep what was typed.
void MainWindow::OffsetBoxClicked(int side) {
    const bool ticked = offsetBoxes_[side]->isChecked();
    offsetDistances_[side]->setEnabled(ticked);
    offsetFromLabels_[side]->setEnabled(ticked);
    offsetFrom_[side]->setEnabled(ticked);
}

void MainWindow::BrowseForFile() {
    const QString name =
        services_.dialogs.OpenFileName(this, "Open", remembered_.LastFolder(), kFileFilter);
    // Cancelling keeps the file chosen last (none at first).
    ChooseFile(name.isEmpty() ? chosenFile_ : name);
}

void MainWindow::ChooseFile(const QString& path) {
    chosenFile_ = path;
    ShowFileName(path);
    remembered_.RememberFolderOf(path);
}

// The window takes drops itself, and those aimed at a control that would take
// them (a text box would paste a dropped text): only a file is ever dropped.
void MainWindow::TakeDrops() {
    setAcceptDrops(true);
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->acceptDrops())
            control->installEventFilter(this);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            HandleDrag(*event);
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    HandleDrag(*event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    HandleDrag(*event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    HandleDrag(*event);
}

// A drag is welcome only with a file to choose, and only as a copy: the file
// stays where it is. Anything else is refused and changes nothing.
void MainWindow::HandleDrag(QEvent& event) {
    auto& drag = static_cast<QDropEvent&>(event);
    const QString file = DroppedFile(drag.mimeData());
    if (file.isEmpty() || !(drag.possibleActions() & Qt::CopyAction)) {
        drag.ignore();
        return;
    }
    drag.setDropAction(Qt::CopyAction);
    drag.accept();
    if (event.type() == QEvent::Drop)
        ChooseFile(file);
}

void MainWindow::ShowFileName(const QString& path) {
    // A path longer than the room before File Browse is shortened in its
    // middle, so its start and the file name stay readable; the tooltip holds
    // it whole.
    const int room =
        TwipsToPixels(kFileBrowseLeftTwips - kGapTwips, logicalDpiX()) - fileName_->x();
    fileName_->setText(fileName_->fontMetrics().elidedText(path, Qt::ElideMiddle, room));
    fileName_->setToolTip(path);
    fileName_->resize(std::min(fileName_->sizeHint().width(), room), fileName_->height());
}

void MainWindow::ShowAbout() {
    AboutDialog about(services_.messages, services_.systemTools, this);
    services_.dialogs.Exec(about);
}

RunInputs MainWindow::Inputs() const {
    RunInputs inputs;
    // The readers open the file by its narrow name: the file system's own
    // encoding here, the ANSI code page on Windows, as QFile::encodeName gives it.
    inputs.InputFile = QFile::encodeName(chosenFile_).toStdString();
    inputs.ProjectNumber = numbers_[0]->text().toStdString();
    inputs.ControlNumber = numbers_[1]->text().toStdString();
    inputs.LeftOffset = OffsetRowOf(*offsetBoxes_[0], *offsetDistances_[0], *offsetFrom_[0]);
    inputs.RightOffset = OffsetRowOf(*offsetBoxes_[1], *offsetDistances_[1], *offsetFrom_[1]);
    inputs.CheckAllPoints = pointTypeBoxes_[kCheckAllPoints]->isChecked();
    for (size_t box = 0; box < kPointTypeOfBox.size(); ++box)
        inputs.Types.*kPointTypeOfBox[box] = pointTypeBoxes_[box]->isChecked();
    return inputs;
}

void MainWindow::Preview() {
    if (RunAndShowBooks(Inputs(), services_.messages, previewWindows_) == RunOutcome::EndProgram) {
        // The file's side markers are wrong: its message has been shown, and
        // the program ends as a failure so a calling script can tell.
        EndProgram(1);
    }
}

void MainWindow::CloseProgram() {
    try {
        EndProgram();
    } catch (const std::exception&) {
        services_.messages.Show("Error occured in Command4_Click");
    }
}

void MainWindow::ToggleReportOptions() {
    if (numbers_[0]->text().isEmpty() || numbers_[1]->text().isEmpty()) {
        services_.messages.Show("Please Input Project Number and Control Number");
    }
    SetOuterHeight(outerHeightTwips_ != kCollapsedHeightTwips ? kCollapsedHeightTwips
                                                              : kExpandedHeightTwips);
}

void MainWindow::EndProgram(int exitStatus) {
    exitStatus_ = exitStatus;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) {
            window->close();
        }
    }
    QCoreApplication::exit(exitStatus_);
}

}  // namespace corvane
