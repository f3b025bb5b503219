// The viewer's Go To and Print commands.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include "viewer/book_file.h"
#include "viewer/error_trap.h"
#include "viewer/grades_file.h"
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
PrintOutcome PrintWithProgress(QWidget* window, const ViewerState& state,
                               const std::vector<BookPage>& pages, PrintTarget& target,
                               Messages& messages) {
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0,
                             static_cast<int>(pages.size()), window);
    progress.setWindowTitle(QString::fromUtf8(kProgramTitle));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kShowProgressAfterMs);
    QElapsedTimer handingOver;
    return PrintShownPages(state, pages, target, messages, [&](int done, int total) {
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
    if (PrintWithProgress(window, state, pages, *printer, messages) == PrintOutcome::Sent) {
        messages.Show("Pages have been sent to " + printerName + " printer.");
    }
}

// However the chooser spelled it, the report the book came from is never
// replaced, nor the earlier revision whose changes are shown; false when the
// path names neither.
bool WouldOverwriteInput(const ViewerState& state, const QString& path, Messages& messages) {
    std::vector<std::string> inputs{state.Books().SourceFile};
    if (const RevisionChanges* changes = state.Changes()) {
        inputs.push_back(changes->EarlierFile);
    }
    for (const std::string& input : inputs) {
        if (OutputIsInput(path, QFile::decodeName(input.c_str()))) {
            messages.Show(OverwritesInputMessage(path));
            return true;
        }
    }
    return false;
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

// Every page of the book on show, or of both sides, as one job. The viewer keeps its page.
void ReportViewer::PrintAll() {
    RunTrapped(messages_, "Program Error : ", " occured in viewPrint_click",
               [this] { PrintAndReport(this, state_, state_.AllPages(), messages_); });
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
        if (WouldOverwriteInput(state_, path, messages_)) {
            return;
        }
        const std::unique_ptr<PrintTarget> file =
            MakePdfFileTarget(path, ReportPageLayout(CurrentPrinter(state_)));
        if (PrintWithProgress(this, state_, state_.AllPages(), *file, messages_) ==
            PrintOutcome::Sent) {
            messages_.Show("Pages have been saved to " + path.toStdString() + ".");
        }
    });
}

// The grades of the book on show (or the changes shown), whole or not at all.
void ReportViewer::SaveGrades() {
    RunTrapped(messages_, "Program Error : ", " occured in SaveGrades_Click", [this] {
        const QString workbooks = QStringLiteral("Excel workbooks (*.xlsx)");
        QString chosenFilter;
        QString path =
            dialogs_.SaveFileName(this, QStringLiteral("Save Grades As"),
                                  QStringLiteral("CSV files (*.csv);;") + workbooks, &chosenFilter);
        if (path.isEmpty()) {
            return;
        }
        // A name without an extension takes the form of the filter chosen.
        if (QFileInfo(path).suffix().isEmpty()) {
            path += chosenFilter == workbooks ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
        }
        if (WouldOverwriteInput(state_, path, messages_)) {
            return;
        }
        const WriteOutcome written =
            WriteShownGrades(state_, QFile::encodeName(path).toStdString());
        if (!written) {
            messages_.Show("Saving failed: the file " + path.toStdString() +
                           " could not be written: " + written.Reason + ".");
            return;
        }
        messages_.Show("Grades have been saved to " + path.toStdString() + ".");
    });
}

}  // namespace corvane
