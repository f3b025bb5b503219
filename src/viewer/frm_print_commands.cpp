// The viewer's Go To and Print commands.
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include "viewer/book_file.h"
#include "viewer/error_trap.h"
#include "viewer/form5.h"
#include "viewer/frm_print.h"
#include "viewer/frm_station.h"
#include "viewer/message_box_messages.h"
#include "viewer/print_job.h"
#include "viewer/printers_and_fonts.h"
#include "viewer/report_page.h"

namespace corvane {

namespace {

// Prints with a progress dialog that appears for long jobs and can cancel them.
// It is application modal, so no other command (nor a new Preview in the main
// window) can change the book while it is being printed.
PrintOutcome PrintWithProgress(QWidget* window, State& state, const std::vector<BookPage>& pages,
                               PrintTarget& target, Messages& messages) {
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0,
                             static_cast<int>(pages.size()), window);
    progress.setWindowTitle(QString::fromUtf8(kProgramTitle));
    progress.setWindowModality(Qt::ApplicationModal);
    return PrintPages(state, pages, target, messages, [&progress](int done, int) {
        progress.setValue(done);
        return !progress.wasCanceled();
    });
}

// The printer the pages go to: the one chosen in the font and printer dialog,
// or the platform's default when that one is no longer installed.
std::string CurrentPrinter(const State& state) {
    return CurrentPrinterName(state, PrintersAndFonts{}).toStdString();
}

// Names the printer that took the job.
void ReportSent(Messages& messages, const std::string& printerName) {
    messages.Show("Pages have been sent to " + printerName + " printer.");
}

}  // namespace

void frmPrint::mnuGoToStation_Click() {
    RunTrapped(messages_, " Program Error : ", " In mnuGoTOStation_Click",
               [this] { OpenStationFinder(true); });
}

void frmPrint::mnuStationLeft_Click() {
    RunTrapped(messages_, "Program Error : ", " In mnuStationLeft_Click", [this] {
        state_.settings.CurrentSide = kLeftSide;
        OpenStationFinder(true);
    });
}

void frmPrint::mnuStationRight_Click() {
    RunTrapped(messages_, "PRogram Error : ", " In mnuStationRight_Click", [this] {
        state_.settings.CurrentSide = kRightSide;
        OpenStationFinder(false);
    });
}

void frmPrint::OpenStationFinder(bool leftList) {
    if (!stationFinder_) {
        stationFinder_ = std::make_unique<frmStation>(
            state_, messages_, [this] { RedrawViewerPage(); }, this);
    }
    stationFinder_->Open(leftList);
}

// Every page of the book, or of both sides, as one job. The page totals stay as
// they are, so paging and the page numbers keep working after printing.
void frmPrint::viewprint_Click() {
    RunTrapped(messages_, "Program Error : ", " occured in viewPrint_click", [this] {
        const std::string printerName = CurrentPrinter(state_);
        const std::unique_ptr<PrintTarget> printer = MakePrinterTarget(printerName);
        if (PrintWithProgress(this, state_, AllBookPages(state_), *printer, messages_) ==
            PrintOutcome::Sent) {
            ReportSent(messages_, printerName);
        }
    });
}

void frmPrint::PrnSelPages_Click() {
    RunTrapped(messages_, "Program Error : ", " occured in viewPrint_click", [this] {
        // The dialog stays loaded between uses (a child of the viewer), so it
        // shows the last side and page numbers again.
        auto* dialog = findChild<Form5*>(QString(), Qt::FindDirectChildrenOnly);
        if (!dialog) {
            dialog = new Form5(state_, messages_, dialogs_, this);
        }
        dialog->Refresh();
        state_.dialogs.PrintCancelled = true;
        const int answer = dialogs_.Exec(*dialog);
        if (answer != QDialog::Accepted || state_.dialogs.PrintCancelled) {
            // Left by Cancel or by closing the window: nothing is printed, and the
            // dialog is unloaded, so its next showing starts with empty fields.
            state_.dialogs.PrintFromPage = 0;
            state_.dialogs.PrintToPage = 0;
            state_.dialogs.PrintCancelled = true;
            delete dialog;
            return;
        }
        const std::string side =
            ToUpper(state_.settings.RoadwayType) == kDivided ? dialog->SideText() : std::string();
        const std::string printerName = CurrentPrinter(state_);
        const std::unique_ptr<PrintTarget> printer = MakePrinterTarget(printerName);
        const std::vector<BookPage> pages =
            PageRange(side, state_.dialogs.PrintFromPage, state_.dialogs.PrintToPage);
        if (PrintWithProgress(this, state_, pages, *printer, messages_) == PrintOutcome::Sent) {
            ReportSent(messages_, printerName);
        }
    });
}

// The pages of Print All, written to a PDF file on the page of the chosen
// printer. The viewer keeps its page: the cursor is put back afterwards.
void frmPrint::SaveAsPdf_Click() {
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
        if (OutputIsInput(path, QFile::decodeName(state_.settings.InputFile.c_str()))) {
            messages_.Show(OverwritesInputMessage(path));
            return;
        }
        const std::string side = state_.settings.CurrentSide;
        const int32_t page = state_.cursor.CurrentPage;
        const std::unique_ptr<PrintTarget> file =
            MakePdfFileTarget(path, ReportPageLayout(CurrentPrinter(state_)));
        const PrintOutcome outcome =
            PrintWithProgress(this, state_, AllBookPages(state_), *file, messages_);
        state_.settings.CurrentSide = side;
        state_.cursor.CurrentPage = page;
        if (outcome == PrintOutcome::Sent) {
            messages_.Show("Pages have been saved to " + path.toStdString() + ".");
        }
    });
}

}  // namespace corvane
