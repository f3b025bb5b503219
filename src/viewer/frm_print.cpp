#include "viewer/frm_print.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>

#include "report/page_header.h"
#include "report/page_renderer.h"
#include "viewer/error_trap.h"
#include "viewer/frm_station.h"
#include "viewer/painter_surface.h"
#include "viewer/twips.h"

namespace corvane {

namespace {

// Every caller of the renderer passes this page length.
constexpr int kPageLength = 50;

// The page the zoom rule fits into the window, and the divisors that leave
// 300 twips of slack in the limiting direction.
constexpr float kFitPageWidthTwips = 11520;
constexpr float kFitPageHeightTwips = 15120;
constexpr double kZoomWidthTwips = 11820;
constexpr double kZoomHeightTwips = 15420;

constexpr double kInchesPerMeter = 1 / 0.0254;

}  // namespace

frmPrint::frmPrint(State& state, Messages& messages, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages), dialogs_(dialogs) {
    setObjectName("frmPrint");
    setWindowTitle("Display Report");
    CreateMenus();
    CreatePageView();
}

frmPrint::~frmPrint() = default;

QAction* frmPrint::AddMenuItem(QWidget* menu, const QString& name, const QString& caption) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    menu->addAction(item);
    return item;
}

void frmPrint::CreateMenus() {
    QMenuBar* bar = menuBar();

    QAction* forward = AddMenuItem(bar, "viewForward", "&>>");
    forward->setShortcut(QKeySequence(Qt::Key_PageDown));
    connect(forward, &QAction::triggered, this, &frmPrint::viewForward_Click);

    QAction* backward = AddMenuItem(bar, "viewBackward", "<&<");
    backward->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(backward, &QAction::triggered, this, &frmPrint::viewBackward_Click);

    QMenu* goTo = bar->addMenu("&Go To");
    goTo->setObjectName("mnuGoTo");
    goTo->menuAction()->setObjectName("mnuGoTo");
    connect(AddMenuItem(goTo, "mnuGoToStation", "Go To Station"), &QAction::triggered, this,
            &frmPrint::mnuGoToStation_Click);
    connect(AddMenuItem(goTo, "mnuStationLeft", "Go To StationLeft"), &QAction::triggered, this,
            &frmPrint::mnuStationLeft_Click);
    connect(AddMenuItem(goTo, "mnuStationRight", "Go To StationRight"), &QAction::triggered, this,
            &frmPrint::mnuStationRight_Click);

    QMenu* print = bar->addMenu("&Print");
    print->setObjectName("mnuPrint");
    print->menuAction()->setObjectName("mnuPrint");
    connect(AddMenuItem(print, "viewprint", "PrintAll"), &QAction::triggered, this,
            &frmPrint::viewprint_Click);
    connect(AddMenuItem(print, "PrnSelPages", "Print Selected Pages"), &QAction::triggered, this,
            &frmPrint::PrnSelPages_Click);
    connect(AddMenuItem(print, "SaveAsPdf", "Save as PDF..."), &QAction::triggered, this,
            &frmPrint::SaveAsPdf_Click);

    connect(AddMenuItem(bar, "viewEnd", "&End"), &QAction::triggered, this,
            &frmPrint::viewEnd_Click);
}

void frmPrint::CreatePageView() {
    pageView_ = new QLabel(this);
    pageView_->setObjectName("pageView");
    pageView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The image follows the window, never the other way round: a label that
    // asked for its pixmap's size would stop the window from shrinking.
    pageView_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pageView_->setMinimumSize(1, 1);
    pageView_->setAutoFillBackground(true);
    setCentralWidget(pageView_);
}

QAction* frmPrint::MenuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

void frmPrint::Load() {
    RunTrapped(messages_, "Program Error : ", " occured in form load", [this] {
        const LayoutSettings& layout = state_.layout;
        resize(TwipsToPixels(layout.PageColumns * kCellWidthTwips, logicalDpiX()),
               TwipsToPixels(layout.PageLines * kCellHeightTwips, logicalDpiY()));
        const std::string roadway = ToUpper(state_.settings.RoadwayType);
        ShowGoToEntries(roadway != kDivided, roadway != kUndivided);
    });
}

void frmPrint::ShowGoToEntries(bool undivided, bool divided) {
    MenuItem("mnuGoToStation")->setVisible(undivided);
    MenuItem("mnuStationLeft")->setVisible(divided);
    MenuItem("mnuStationRight")->setVisible(divided);
}

void frmPrint::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RunTrapped(messages_, " Program Error: ", " occured in form_resize(frmPrint)", [this] {
        ZoomToWindow();
        RedrawViewerPage();
    });
}

// Fits a page of 11520 x 15120 twips into the window by its limiting side.
void frmPrint::ZoomToWindow() {
    const auto windowWidth = static_cast<float>(PixelsToTwips(width(), logicalDpiX()));
    const auto windowHeight = static_cast<float>(PixelsToTwips(height(), logicalDpiY()));
    if (windowHeight / kFitPageHeightTwips > windowWidth / kFitPageWidthTwips) {
        state_.layout.ViewZoom = windowWidth / kZoomWidthTwips;
    } else {
        state_.layout.ViewZoom = windowHeight / kZoomHeightTwips;
    }
}

QImage frmPrint::BlankPage() const {
    // Before the window is first shown its layout has not placed the page
    // view yet; the page then takes the room below the menu bar.
    QSize size = pageView_->size();
    if (!isVisible()) {
        size = QSize(width(), height() - menuBar()->sizeHint().height());
    }
    const qreal pixelRatio = devicePixelRatioF();
    QImage page(size.expandedTo(QSize(1, 1)) * pixelRatio, QImage::Format_RGB32);
    page.setDevicePixelRatio(pixelRatio);
    // Twips on the page map to the same pixels as on the window.
    page.setDotsPerMeterX(qRound(logicalDpiX() * kInchesPerMeter));
    page.setDotsPerMeterY(qRound(logicalDpiY() * kInchesPerMeter));
    page.fill(Qt::white);
    return page;
}

void frmPrint::ShowPage(QImage page) {
    page_ = std::move(page);
    pageView_->setPixmap(QPixmap::fromImage(page_));
}

void frmPrint::RedrawViewerPage() {
    QImage page = BlankPage();
    {
        QPainter painter(&page);
        PainterSurface surface(painter, SurfaceKind::Window);
        PrintRDSForm(surface, state_);
        ToPrintAllForms(surface, state_, kPageLength, messages_);
    }
    ShowPage(std::move(page));
}

void frmPrint::viewForward_Click() {
    RunTrapped(messages_, "Program Error : ", " occured in ViewForward_Click",
               [this] { MoveForward(); });
}

void frmPrint::viewBackward_Click() {
    RunTrapped(messages_, " Program Error : ", " occured in ViewBackward_Click",
               [this] { MoveBackward(); });
}

void frmPrint::viewEnd_Click() {
    RunTrapped(messages_, "Program Error: ", " occured in viewEnd_Click", [this] { close(); });
}

// The left book and then the right book form one sequence of pages.
void frmPrint::MoveForward() {
    const std::string roadway = ToUpper(state_.settings.RoadwayType);
    std::string side = state_.settings.CurrentSide;
    const PageCursor& cursor = state_.cursor;
    const bool atEnd =
        (roadway == kUndivided && cursor.CurrentPage == cursor.LastPage) ||
        (roadway == kDivided && side == kRightSide && cursor.CurrentPage == cursor.LastPageRight);

    int32_t page = cursor.CurrentPage + 1;
    if (roadway == kDivided && side == kLeftSide && page > cursor.LastPageLeft) {
        side = kRightSide;
        page = 0;
    }
    // After printing everything the last-page numbers are 0, so they no longer
    // stop a move; the pages laid out still do, since no other page can be drawn.
    if (atEnd || !IsLaidOut(side, page)) {
        messages_.Show(" Last Page can't move forward");
        return;
    }
    state_.settings.CurrentSide = side;
    state_.cursor.CurrentPage = page;
    RedrawViewerPage();
}

void frmPrint::MoveBackward() {
    const std::string roadway = ToUpper(state_.settings.RoadwayType);
    PageCursor& cursor = state_.cursor;
    if ((roadway == kUndivided && cursor.CurrentPage == 0) ||
        (roadway == kDivided && state_.settings.CurrentSide == kLeftSide &&
         cursor.CurrentPage == 0)) {
        messages_.Show(" First Page can't move backward");
        return;
    }
    cursor.CurrentPage -= 1;
    if (roadway == kDivided && state_.settings.CurrentSide == kRightSide &&
        cursor.CurrentPage == -1) {
        state_.settings.CurrentSide = kLeftSide;
        cursor.CurrentPage = cursor.LastPageLeft;
    }
    RedrawViewerPage();
}

bool frmPrint::IsLaidOut(const std::string& side, int32_t page) const {
    const std::string roadway = ToUpper(state_.settings.RoadwayType);
    const PageCursor& cursor = state_.cursor;
    const std::vector<PageStart>* starts = &cursor.PageStartUndivided;
    if (roadway == kDivided) {
        starts = side == kRightSide ? &cursor.PageStartRight : &cursor.PageStartLeft;
    }
    // Laying a page out records where the next one begins, so a page that has
    // been laid out has both its own entry and the next.
    return page >= 0 && static_cast<size_t>(page) + 1 < starts->size();
}

}  // namespace corvane
