#include "viewer/report_viewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

#include "viewer/error_trap.h"
#include "viewer/page_zoom.h"
#include "viewer/painter_surface.h"
#include "viewer/print_pages_dialog.h"
#include "viewer/remembered_settings.h"
#include "viewer/station_finder.h"
#include "viewer/twips.h"

namespace corvane {

namespace {

constexpr double kInchesPerMeter = 1 / 0.0254;

// One notch of a mouse wheel; finer wheels add up to it.
constexpr int kWheelNotch = 120;

// A new zoom is a new size of the page: it fails as a resize does.
const std::string kResizeErrorPrefix = " Program Error: ";
const std::string kResizeErrorSuffix = " occured in form_resize(frmPrint)";

}  // namespace

ReportViewer::ReportViewer(ViewerState& state, Messages& messages, Dialogs& dialogs,
                           QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages), dialogs_(dialogs) {
    setObjectName("frmPrint");
    setWindowTitle("Display Report");
    CreateMenus();
    CreatePageView();
    zoomLevel_ = new QLabel(statusBar());
    zoomLevel_->setObjectName("zoomLevel");
    statusBar()->addPermanentWidget(zoomLevel_);
}

ReportViewer::~ReportViewer() = default;

QAction* ReportViewer::AddMenuItem(QWidget* menu, const QString& name, const QString& caption) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    menu->addAction(item);
    return item;
}

void ReportViewer::CreateMenus() {
    QMenuBar* bar = menuBar();

    QAction* forward = AddMenuItem(bar, "viewForward", "&>>");
    forward->setShortcut(QKeySequence(Qt::Key_PageDown));
    connect(forward, &QAction::triggered, this, &ReportViewer::ShowNextPage);

    QAction* backward = AddMenuItem(bar, "viewBackward", "<&<");
    backward->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(backward, &QAction::triggered, this, &ReportViewer::ShowPreviousPage);

    QMenu* goTo = bar->addMenu("&Go To");
    goTo->setObjectName("mnuGoTo");
    goTo->menuAction()->setObjectName("mnuGoTo");
    connect(AddMenuItem(goTo, "mnuGoToStation", "Go To Station"), &QAction::triggered, this,
            &ReportViewer::FindStation);
    connect(AddMenuItem(goTo, "mnuStationLeft", "Go To StationLeft"), &QAction::triggered, this,
            &ReportViewer::FindStationLeft);
    connect(AddMenuItem(goTo, "mnuStationRight", "Go To StationRight"), &QAction::triggered, this,
            &ReportViewer::FindStationRight);

    QMenu* print = bar->addMenu("&Print");
    print->setObjectName("mnuPrint");
    print->menuAction()->setObjectName("mnuPrint");
    connect(AddMenuItem(print, "viewprint", "PrintAll"), &QAction::triggered, this,
            &ReportViewer::PrintAll);
    connect(AddMenuItem(print, "PrnSelPages", "Print Selected Pages"), &QAction::triggered, this,
            &ReportViewer::PrintSelectedPages);
    connect(AddMenuItem(print, "SaveAsPdf", "Save as PDF..."), &QAction::triggered, this,
            &ReportViewer::SaveAsPdf);
    connect(AddMenuItem(print, "SaveGrades", "Save Grades As..."), &QAction::triggered, this,
            &ReportViewer::SaveGrades);

    CreateViewMenu(bar->addMenu("&View"));
    AddBookViewEntries(viewMenu_);

    connect(AddMenuItem(bar, "viewEnd", "&End"), &QAction::triggered, this,
            &ReportViewer::CloseViewer);
}

void ReportViewer::CreateViewMenu(QMenu* view) {
    viewMenu_ = view;
    view->setObjectName("mnuView");
    view->menuAction()->setObjectName("mnuView");
    QAction* zoomIn = AddMenuItem(view, "mnuZoomIn", "Zoom &In");
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    connect(zoomIn, &QAction::triggered, this, &ReportViewer::ZoomIn);
    QAction* zoomOut = AddMenuItem(view, "mnuZoomOut", "Zoom &Out");
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    connect(zoomOut, &QAction::triggered, this, &ReportViewer::ZoomOut);
    QAction* fit = AddMenuItem(view, "mnuFitPage", "&Fit Page");
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fit, &QAction::triggered, this, &ReportViewer::FitPage);
}

void ReportViewer::CreatePageView() {
    pageView_ = new QLabel;
    pageView_->setObjectName("pageView");
    pageView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A page fitted to the window follows the window, never the other way round:
    // a label that asked for its pixmap's size would stop the window from shrinking.
    pageView_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pageView_->setMinimumSize(1, 1);
    pageView_->setAutoFillBackground(true);
    pageArea_ = new QScrollArea(this);
    pageArea_->setObjectName("pageArea");
    pageArea_->setFrameShape(QFrame::NoFrame);
    pageArea_->setWidget(pageView_);
    pageArea_->setWidgetResizable(true);
    pageArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pageArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pageArea_->viewport()->installEventFilter(this);
    setCentralWidget(pageArea_);
}

QAction* ReportViewer::MenuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

void ReportViewer::ShowStatus(const QString& name, const QString& text) {
    auto* part = statusBar()->findChild<QLabel*>(name);
    if (!part) {
        part = new QLabel(statusBar());
        part->setObjectName(name);
        statusBar()->addWidget(part);
    }
    part->setText(text);
    part->setVisible(!text.isEmpty());
}

QString ReportViewer::StatusText(const QString& name) const {
    const auto* part = statusBar()->findChild<QLabel*>(name);
    return part ? part->text() : QString();
}

void ReportViewer::Load() {
    RunTrapped(messages_, "Program Error : ", " occured in form load", [this] {
        SizeToPage();
        // A zoom chosen last time holds from the first page, within the steps' bounds.
        if (const std::optional<double> zoom = RememberedSettings().ViewerZoom()) {
            ChooseZoom(std::clamp(*zoom, kSmallestZoom, kLargestZoom));
        }
        const bool divided = state_.Type() == RoadwayType::Divided;
        MenuItem("mnuGoToStation")->setVisible(!divided);
        MenuItem("mnuStationLeft")->setVisible(divided);
        MenuItem("mnuStationRight")->setVisible(divided);
    });
}

// The page's size at zoom 1, or the size the last viewer closed with, but no
// larger than the screen's free area with the window's frame: a taller window
// would put the page's foot out of reach.
void ReportViewer::SizeToPage() {
    const PageSize page = state_.Page();
    const QSize pageSize = RememberedSettings().ViewerSize().value_or(
        QSize(TwipsToPixels(page.Columns * kCellWidthTwips, logicalDpiX()),
              TwipsToPixels(page.Lines * kCellHeightTwips, logicalDpiY())));
    // Where the platform knows the frame before the window is shown, it knows it
    // once the window exists.
    create();
    const QRect available = screen()->availableGeometry();
    const QSize room = available.size().shrunkBy(windowHandle()->frameMargins());
    resize(pageSize.boundedTo(room));
    if (pageSize.width() > room.width() || pageSize.height() > room.height()) {
        move(available.topLeft());  // as large as the screen allows: all of it on the screen
    }
}

bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != pageArea_->viewport()) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Resize && FitsPage()) {
        RunTrapped(messages_, kResizeErrorPrefix, kResizeErrorSuffix,
                   [this] { RedrawViewerPage(); });
    } else if (event->type() == QEvent::Wheel &&
               static_cast<QWheelEvent*>(event)->modifiers().testFlag(Qt::ControlModifier)) {
        wheelTurn_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        for (; wheelTurn_ >= kWheelNotch; wheelTurn_ -= kWheelNotch) {
            ZoomIn();
        }
        for (; wheelTurn_ <= -kWheelNotch; wheelTurn_ += kWheelNotch) {
            ZoomOut();
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ReportViewer::ZoomIn() {
    ChooseZoom(ZoomedIn(zoom_));
}

void ReportViewer::ZoomOut() {
    ChooseZoom(ZoomedOut(zoom_));
}

void ReportViewer::FitPage() {
    ChooseZoom(std::nullopt);
}

// A chosen zoom draws the whole page at that zoom, with scroll bars where it is
// larger than the window; without one the page is fitted to the window.
void ReportViewer::ChooseZoom(std::optional<double> zoom) {
    RunTrapped(messages_, kResizeErrorPrefix, kResizeErrorSuffix, [this, zoom] {
        chosenZoom_ = zoom;
        RememberedSettings().RememberViewerZoom(zoom);
        const Qt::ScrollBarPolicy scrollBars =
            zoom ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        pageArea_->setHorizontalScrollBarPolicy(scrollBars);
        pageArea_->setVerticalScrollBarPolicy(scrollBars);
        pageArea_->setWidgetResizable(!zoom);
        RedrawViewerPage();
    });
}

// The room the page is fitted into: the page area, which lies between the menu
// bar and the status bar. Before the window is first shown its layout has not
// placed the page area yet, so the room is reckoned from the window's size.
QSize ReportViewer::PageAreaSize() const {
    if (isVisible()) {
        return pageArea_->viewport()->size();
    }
    return QSize(width(),
                 height() - menuBar()->sizeHint().height() - statusBar()->sizeHint().height());
}

QImage ReportViewer::BlankPage(QSize size) const {
    const qreal pixelRatio = devicePixelRatioF();
    QImage page(size.expandedTo(QSize(1, 1)) * pixelRatio, QImage::Format_RGB32);
    page.setDevicePixelRatio(pixelRatio);
    // Twips on the page map to the same pixels as on the window.
    page.setDotsPerMeterX(qRound(logicalDpiX() * kInchesPerMeter));
    page.setDotsPerMeterY(qRound(logicalDpiY() * kInchesPerMeter));
    page.fill(Qt::white);
    return page;
}

void ReportViewer::RedrawViewerPage() {
    const PageSize pageSize = state_.Page();
    QSize size;
    if (chosenZoom_) {
        zoom_ = *chosenZoom_;
        size = QSize(TwipsToPixels(PageRoomWidthTwips(pageSize) * zoom_, logicalDpiX()),
                     TwipsToPixels(PageRoomHeightTwips(pageSize) * zoom_, logicalDpiY()));
        pageView_->resize(size);
    } else {
        size = PageAreaSize();
        zoom_ = ZoomToFit(PixelsToTwips(size.width(), logicalDpiX()),
                          PixelsToTwips(size.height(), logicalDpiY()), pageSize);
    }
    zoomLevel_->setText(QStringLiteral("%1%").arg(qRound(zoom_ * 100)));
    QImage page = BlankPage(size);
    {
        QPainter painter(&page);
        PainterSurface surface(painter, SurfaceKind::Window, zoom_);
        state_.DrawCurrentPage(surface);
    }
    pageView_->setPixmap(QPixmap::fromImage(std::move(page)));
    ShowWhatIsOnShow();
}

void ReportViewer::ShowNextPage() {
    RunTrapped(messages_, "Program Error : ", " occured in ViewForward_Click", [this] {
        if (!state_.NextPage()) {
            messages_.Show(" Last Page can't move forward");
            return;
        }
        RedrawViewerPage();
    });
}

void ReportViewer::ShowPreviousPage() {
    RunTrapped(messages_, " Program Error : ", " occured in ViewBackward_Click", [this] {
        if (!state_.PreviousPage()) {
            messages_.Show(" First Page can't move backward");
            return;
        }
        RedrawViewerPage();
    });
}

void ReportViewer::closeEvent(QCloseEvent* event) {
    RememberedSettings().RememberViewerSize(size());
    QMainWindow::closeEvent(event);
}

void ReportViewer::CloseViewer() {
    RunTrapped(messages_, "Program Error: ", " occured in viewEnd_Click", [this] { close(); });
}

}  // namespace corvane
