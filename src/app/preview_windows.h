// The windows the Preview run opens: the font and printer dialog before any
// page is drawn, then the report viewer on the first page.
//
// The viewer is loaded once, on the first run that draws: it takes the size of
// the printer page and the Go To entries of that roadway type, and keeps them
// for later runs while it stays open. Closing it unloads it; the next run
// loads a fresh one.
#pragma once

#include <QPointer>

#include <memory>

#include "app/run_driver.h"
#include "app/window_services.h"
#include "viewer/frm_print.h"

namespace corvane {

class PreviewWindows : public PreviewHooks {
  public:
    PreviewWindows(State& state, WindowServices services);
    ~PreviewWindows() override;
    PreviewWindows(const PreviewWindows&) = delete;
    PreviewWindows& operator=(const PreviewWindows&) = delete;

    void ShowFontAndPrinterDialog(State& state) override;
    Surface* ViewerSurface() override;
    void ShowViewer(State& state) override;

    // The viewer while it is loaded, otherwise null.
    frmPrint* Viewer() const { return viewer_; }

  private:
    struct FirstPage;
    void LoadViewer();

    State& state_;
    WindowServices services_;
    QPointer<frmPrint> viewer_;
    // The page the run draws, kept off the screen until the viewer shows it.
    std::unique_ptr<FirstPage> firstPage_;
};

}  // namespace corvane
