#include "viewer/report_viewer.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>

#include "viewer/error_trap.h"
#include "viewer/painter_surface.h"
#include "viewer/print_pages_dialog.h"
#include "viewer/station_finder.h"
#include "viewer/twips.h"

namespace corvane {

namespace {

// The page the zoom rule fits into the window, and the divisors that leave
// 300 twips of slack in the limiting direction.
constexpr float kFitPageWidthTwips = 11520;
constexpr float kFitPageHeightTwips = 15120;
constexpr double kZoomWidthTwips = 11820;
constexpr double kZoomHeightTwips = 15420;

constexpr double kInchesPerMeter = 1 / 0.0254;

}  // namespace

double ZoomToFit(double widthTwips, double heightTwips) {
    // The comparison is made in single precision.
    const auto width = static_cast<float>(widthTwips);
    const auto height = static_cast<float>(heightTwips);
    if (height / kFitPageHeightTwips > width / kFitPageWidthTwips) {
        return width / kZoomWidthTwips;
    }
    return height / kZoomHeightTwips;
}

ReportViewer::ReportViewer(ViewerState& state, Messages& messages, Dialogs& dialogs,
                           QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages), dialogs_(dialogs) {
    setObjectName("frmPrint");
    setWindowTitle("Display Report");
    CreateMenus();
    CreatePageView();
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
    connect(forward, &QAction::triggered, this, &ReportViewer::viewForward_Click);

    QAction* backward = AddMenuItem(bar, "viewBackward", "<&<");
    backward->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(backward, &QAction::triggered, this, &ReportViewer::viewBackward_Click);

    QMenu* goTo = bar->addMenu("&Go To");
    goTo->setObjectName("mnuGoTo");
    goTo->menuAction()->setObjectName("mnuGoTo");
    connect(AddMenuItem(goTo, "mnuGoToStation", "Go To Station"), &QAction::triggered, this,
            &ReportViewer::mnuGoToStation_Click);
    connect(AddMenuItem(goTo, "mnuStationLeft", "Go To StationLeft"), &QAction::triggered, this,
            &ReportViewer::mnuStationLeft_Click);
    connect(AddMenuItem(goTo, "mnuStationRight", "Go To StationRight"), &QAction::triggered, this,
            &ReportViewer::mnuStationRight_Click);

    QMenu* print = bar->addMenu("&Print");
    print->setObjectName("mnuPrint");
    print->menuAction()->setObjectName("mnuPrint");
    connect(AddMenuItem(print, "viewprint", "PrintAll"), &QAction::triggered, this,
            &ReportViewer::viewprint_Click);
    connect(AddMenuItem(print, "PrnSelPages", "Print Selected Pages"), &QAction::triggered, this,
            &ReportViewer::PrnSelPages_Click);
    connect(AddMenuItem(print, "SaveAsPdf", "Save as PDF..."), &QAction::triggered, this,
            &ReportViewer::SaveAsPdf_Click);

    connect(AddMenuItem(bar, "viewEnd", "&End"), &QAction::triggered, this,
            &ReportViewer::viewEnd_Click);
}

void ReportViewer::CreatePageView() {
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

QAction* ReportViewer::MenuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

void ReportViewer::Load() {
    RunTrapped(messages_, "Program Error : ", " occured in form load", [this] {
        const PageSize page = state_.Page();
        resize(TwipsToPixels(page.Columns * kCellWidthTwips, logicalDpiX()),
               TwipsToPixels(page.Lines * kCellHeightTwips, logicalDpiY()));
        const bool divided = state_.Type() == RoadwayType::Divided;
        MenuItem("mnuGoToStation")->setVisible(!divided);
        MenuItem("mnuStationLeft")->setVisible(divided);
        MenuItem("mnuStationRight")->setVisible(divided);
    });
}

void ReportViewer::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RunTrapped(messages_, " Program Error: ", " occured in form_resize(frmPrint)", [this] {
        zoom_ = ZoomToFit(PixelsToTwips(width(), logicalDpiX()),
                          PixelsToTwips(height(), logicalDpiY()));
        RedrawViewerPage();
    });
}

QImage ReportViewer::BlankPage() const {
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

void ReportViewer::RedrawViewerPage() {
    QImage page = BlankPage();
    {
        QPainter painter(&page);
        PainterSurface surface(painter, SurfaceKind::Window, zoom_);
        state_.DrawCurrentPage(surface);
    }
    pageView_->setPixmap(QPixmap::fromImage(std::move(page)));
}

void ReportViewer::viewForward_Click() {
    RunTrapped(messages_, "Program Error : ", " occured in ViewForward_Click", [this] {
        if (!state_.NextPage()) {
            messages_.Show(" Last Page can't move forward");
            return;
        }
        RedrawViewerPage();
    });
}

void ReportViewer::viewBackward_Click() {
    RunTrapped(messages_, " Program Error : ", " occured in ViewBackward_Click", [this] {
        if (!state_.PreviousPage()) {
            messages_.Show(" First Page can't move backward");
            return;
        }
        RedrawViewerPage();
    });
}

void ReportViewer::viewEnd_Click() {
    RunTrapped(messages_, "Program Error: ", " occured in viewEnd_Click", [this] { close(); });
}

}  // namespace corvane
