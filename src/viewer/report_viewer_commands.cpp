// The viewer's Go To and Print commands.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include "viewer/book_file.h"
#include "viewer/error_trap.h"
#include "viewer/message_box_messages.h"
#include "viewer/print_job.h"
#include "viewer/print_pages_dialog.h"
#include "viewer/printers_and_fonts.h"
#include "viewer/report_page.h"
#include "viewer/report_viewer.h"
#include "viewer/station_finder.h"

namespace corvane {

namespace {

// A job expected to last longer than this shows its progress. Until the dialog shows, the window
// takes no events at all, so it can neither repaint nor be cancelled: Qt's own 4 s is too long.
constexpr int kShowProgressAfterMs = 500;

// Prints with a progress dialog that appears for long jobs and can cancel them.
// It is application modal, so no other command (nor a new Preview in the main
// window) can change the books while they are being printed.
PrintOutcome PrintWithProgress(QWidget* window, const PreparedBooks& books,
                               const std::vector<BookPage>& pages, PrintTarget& target,
                               Messages& messages) {
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0,
                             static_cast<int>(pages.size()), window);
    progress.setWindowTitle(QString::fromUtf8(kProgramTitle));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kShowProgressAfterMs);
    QElapsedTimer handingOver;
    return PrintPages(books, pages, target, messages, [&](int done, int total) {
        if (done < total) {
            progress.setValue(done);
            return !progress.wasCanceled();
        }
        // Every page is drawn; the document is being handed over, which may wait on a print
        // spooler. The dialog stays (and shows, should the wait grow long) so it can be cancelled.
        if (!handingOver.isValid())
            handingOver.start();
        else if (handingOver.elapsed() > kShowProgressAfterMs && !progress.isVisible())
            progress.show();
        // Until the modal dialog shows, a click elsewhere must not start another command.
        QCoreApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        return !progress.wasCanceled();
    });
}

// The printer the pages go to: the one chosen in the font and printer dialog,
// or the platform's default when that one is not installed.
std::string CurrentPrinter(const ViewerState& state) {
    return CurrentPrinterName(state.PrinterName(), PrintersAndFonts{}).toStdString();
}

// Prints the pages on the current printer and names the printer that took them.
void PrintAndReport(QWidget* window, const ViewerState& state, const std::vector<BookPage>& pages,
                    Messages& messages) {
    const std::string printerName = CurrentPrinter(state);
    const std::unique_ptr<PrintTarget> printer = MakePrinterTarget(printerName);
    if (PrintWithProgress(window, state.Books(), pages, *printer, messages) == PrintOutcome::Sent) {
        messages.Show("Pages have been sent to " + printerName + " printer.");
    }
}

}  // namespace

void ReportViewer::FindStation() {
    RunTrapped(messages_, " Program Error : ", " In mnuGoTOStation_Click",
               [this] { OpenStationFinder(Side::Left); });
}

void ReportViewer::FindStationLeft() {
    RunTrapped(messages_, "Program Error : ", " In mnuStationLeft_Click",
               [this] { OpenStationFinder(Side::Left); });
}

void ReportViewer::FindStationRight() {
    RunTrapped(messages_, "PRogram Error : ", " In mnuStationRight_Click",
               [this] { OpenStationFinder(Side::Right); });
}

// The finder's Find moves the viewer to the side of the list it shows.
void ReportViewer::OpenStationFinder(Side side) {
    if (!stationFinder_) {
        stationFinder_ = std::make_unique<StationFinder>(
            state_, messages_, [this] { RedrawViewerPage(); }, this);
    }
    stationFinder_->Open(side);
}

// Every page of the book, or of both sides, as one job. The viewer keeps its page.
void ReportViewer::PrintAll() {
    RunTrapped(messages_, "Program Error : ", " occured in viewPrint_click",
               [this] { PrintAndReport(this, state_, AllBookPages(state_.Books()), messages_); });
}

void ReportViewer::PrintSelectedPages() {
    RunTrapped(messages_, "Program Error : ", " occured in viewPrint_click", [this] {
        if (!printPages_) {
            printPages_ = std::make_unique<PrintPagesDialog>(state_, messages_, dialogs_, this);
        }
        const std::optional<PageRange> range = printPages_->Ask();
        if (!range) {
            // Left by Cancel or by closing the window: nothing is printed, and
            // the next showing starts with empty fields.
            printPages_.reset();
            return;
        }
        PrintAndReport(this, state_, PagesOf(*range), messages_);
    });
}

// The pages of Print All, written to a PDF file on the page of the chosen
// printer. The viewer keeps its page.
void ReportViewer::SaveAsPdf() {
    RunTrapped(messages_, "Program Error : ", " occured in SaveAsPdf_Click", [this] {
        QString path = dialogs_.SaveFileName(this, QStringLiteral("Save as PDF"),
                                             QStringLiteral("PDF Files (*.pdf)"));
        if (path.isEmpty()) {
            return;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".pdf");
        }
        // However the chooser spelled it, the report the book came from is never replaced.
        if (OutputIsInput(path, QFile::decodeName(state_.Books().SourceFile.c_str()))) {
            messages_.Show(OverwritesInputMessage(path));
            return;
        }
        const std::unique_ptr<PrintTarget> file =
            MakePdfFileTarget(path, ReportPageLayout(CurrentPrinter(state_)));
        if (PrintWithProgress(this, state_.Books(), AllBookPages(state_.Books()), *file,
                              messages_) == PrintOutcome::Sent) {
            messages_.Show("Pages have been saved to " + path.toStdString() + ".");
        }
    });
}

}  // namespace corvane
