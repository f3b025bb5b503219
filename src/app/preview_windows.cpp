#include "app/preview_windows.h"

#include <QImage>
#include <QPainter>

#include "report/page_header.h"
#include "viewer/frm_system.h"
#include "viewer/painter_surface.h"

namespace corvane {

// The run draws on an image of the viewer's page: a message box the renderer
// shows meanwhile runs the event loop, and the viewer may redraw its own page
// then without disturbing this one.
struct PreviewWindows::FirstPage {
    explicit FirstPage(QImage blank)
        : image(std::move(blank)), painter(&image), surface(painter, SurfaceKind::Window) {}
    QImage image;
    QPainter painter;
    PainterSurface surface;
};

PreviewWindows::PreviewWindows(State& state, WindowServices services)
    : state_(state), services_(services) {}

PreviewWindows::~PreviewWindows() {
    firstPage_.reset();
    delete viewer_.data();
}

void PreviewWindows::ShowFontAndPrinterDialog(State& state) {
    frmSystem dialog(state, services_.messages, services_.printersAndFonts);
    services_.dialogs.Exec(dialog);
}

Surface* PreviewWindows::ViewerSurface() {
    if (!viewer_) {
        LoadViewer();
    }
    firstPage_.reset();
    firstPage_ = std::make_unique<FirstPage>(viewer_->BlankPage());
    return &firstPage_->surface;
}

void PreviewWindows::LoadViewer() {
    // The viewer opens with the size of the printer page, so the page is
    // measured before it loads.
    NullSurface measuring;
    PrintRDSForm(measuring, state_);
    viewer_ = new frmPrint(state_, services_.messages, services_.dialogs);
    viewer_->setAttribute(Qt::WA_DeleteOnClose);
    viewer_->Load();
}

void PreviewWindows::ShowViewer(State&) {
    if (!viewer_) {
        return;
    }
    if (firstPage_) {
        firstPage_->painter.end();
        viewer_->ShowPage(std::move(firstPage_->image));
        firstPage_.reset();
    }
    // Showing a viewer that is already shown just brings it to the front.
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

}  // namespace corvane
