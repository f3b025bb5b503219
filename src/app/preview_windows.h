// The windows the Preview run opens: the font and printer dialog before the
// books are laid out, then the report viewer on the first page.
//
// The viewer state lives as long as the main window: the printer and font
// chosen last are offered again at the next run, and remembered for the next
// time the program runs. The viewer is loaded on the
// first run that shows books: it takes the size of the printer page and the
// Go To entries of that roadway type, and keeps them for later runs while it
// stays open. Closing it unloads it; the next run loads a fresh one.
#pragma once

#include <QPointer>

#include "app/book_run.h"
#include "app/window_services.h"
#include "viewer/report_viewer.h"
#include "viewer/viewer_state.h"

namespace corvane {

class PreviewWindows : public RunHooks {
  public:
    // Measures the current printer's page, on which the books are laid out
    // until another printer is chosen.
    explicit PreviewWindows(WindowServices services);
    ~PreviewWindows() override;
    PreviewWindows(const PreviewWindows&) = delete;
    PreviewWindows& operator=(const PreviewWindows&) = delete;

    PrinterFontChoice ChoosePrinterAndFont() override;
    void ShowBooks(PreparedBooks books) override;

    const ViewerState& State() const { return state_; }
    // The viewer while it is loaded, otherwise null.
    ReportViewer* Viewer() const { return viewer_; }

  private:
    WindowServices services_;
    ViewerState state_;
    QPointer<ReportViewer> viewer_;
    // The printer and font the dialog's fields start with when still
    // installed: the last accepted, in this run or an earlier one.
    QString lastPrinter_;
    QString lastFont_;
};

}  // namespace corvane
