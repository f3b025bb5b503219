#include "viewer/print_job.h"

#include <QElapsedTimer>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "report/draw_page.h"
#include "viewer/book_file.h"
#include "viewer/message_box_messages.h"
#include "viewer/painter_surface.h"
#include "viewer/report_page.h"

namespace corvane {

namespace {

// Enough for a document of many pages handed to a local spooler.
constexpr int kSpoolerTimeoutMs = 120000;
// How often a wait for the spooler asks whether the job is still wanted.
constexpr int kSpoolerPollMs = 100;
// Print quality of the PDF the job is drawn into.
constexpr int kPdfResolution = 1200;

QString Quoted(const std::string& name) {
    return QStringLiteral("\"") + QString::fromStdString(name) + QStringLiteral("\"");
}

// What both PDF-drawn targets share: a PDF writer with the report page on an
// already open device, and its pages.
class PdfDocumentTarget : public PrintTarget {
  public:
    bool NewPage(QString& why) override {
        if (!writer_->newPage()) {
            why = QStringLiteral("a new page could not be started");
            return false;
        }
        return true;
    }

  protected:
    bool BeginDocument(QPainter& painter, QIODevice& device, const QPageLayout& layout) {
        writer_ = std::make_unique<QPdfWriter>(&device);
        writer_->setTitle(QString::fromUtf8(kProgramTitle));
        writer_->setCreator(QString::fromUtf8(kProgramTitle));
        writer_->setResolution(kPdfResolution);
        writer_->setPageLayout(layout);
        return painter.begin(writer_.get());
    }

    // Ends the drawing; true when every page reached the device.
    bool EndDocument(QPainter& painter) {
        const bool drawn = !painter.isActive() || painter.end();
        writer_.reset();
        return drawn;
    }

  private:
    std::unique_ptr<QPdfWriter> writer_;
};

// A PDF file that appears only when the whole document was written; a device
// such as a pipe is written in place.
class PdfFileTarget : public PdfDocumentTarget {
  public:
    PdfFileTarget(const QString& path, const QPageLayout& layout)
        : path_(path), file_(path), layout_(layout) {}

    bool Open(QPainter& painter, QString& why) override {
        if (!file_.open(QIODevice::WriteOnly)) {
            why = CannotWrite();
            return false;
        }
        if (!BeginDocument(painter, file_, layout_)) {
            why = QStringLiteral("the PDF document could not be started");
            file_.Discard();
            return false;
        }
        return true;
    }

    // A full disk stops the job at the next page rather than at its end.
    bool NewPage(QString& why) override {
        if (file_.Failed()) {
            why = CannotWrite();
            return false;
        }
        return PdfDocumentTarget::NewPage(why);
    }

    PrintOutcome Finish(QPainter& painter, QString& why, const std::function<bool()>&) override {
        if (!EndDocument(painter) && !file_.Failed()) {
            file_.Discard();
            why = QStringLiteral("the PDF document could not be completed");
            return PrintOutcome::Failed;
        }
        if (!file_.Commit()) {
            why = CannotWrite();
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Sent;
    }

    void Discard(QPainter& painter) override {
        EndDocument(painter);
        file_.Discard();
    }

  private:
    QString CannotWrite() const {
        return QStringLiteral("the file %1 could not be written: %2")
            .arg(path_, file_.errorString());
    }

    QString path_;
    BookFile file_;
    QPageLayout layout_;
};

// Draws the job as PDF and hands it to the CUPS spooler with `lp`, whose exit
// status says whether the printer took the job. (Qt's own CUPS engine drops the
// spooler's answer, so a refused job would look like a printed one.)
class SpoolerTarget : public PdfDocumentTarget {
  public:
    SpoolerTarget(std::string printerName, QString lp)
        : printerName_(std::move(printerName)), lp_(std::move(lp)) {}

    bool Open(QPainter& painter, QString& why) override {
        if (!CheckPrinterInstalled(printerName_, why)) {
            return false;
        }
        if (!file_.open()) {
            why = QStringLiteral("no temporary file for the document: ") + file_.errorString();
            return false;
        }
        if (!BeginDocument(painter, file_, ReportPageLayout(printerName_))) {
            why = QStringLiteral("the document could not be started");
            return false;
        }
        return true;
    }

    PrintOutcome Finish(QPainter& painter, QString& why,
                        const std::function<bool()>& stillWanted) override {
        if (!EndDocument(painter) || !file_.flush()) {
            why = QStringLiteral("the document could not be completed");
            return PrintOutcome::Failed;
        }
        return HandToSpooler(why, stillWanted);
    }

    void Discard(QPainter& painter) override {
        EndDocument(painter);
        file_.remove();
    }

    static bool CheckPrinterInstalled(const std::string& name, QString& why) {
        if (name.empty()) {
            why = QStringLiteral("no printer is chosen");
            return false;
        }
        if (QPrinterInfo::printerInfo(QString::fromStdString(name)).isNull()) {
            why = QStringLiteral("the printer %1 is not installed").arg(Quoted(name));
            return false;
        }
        return true;
    }

  private:
    // Waits for `lp` in short steps, so a spooler that never answers (a print server gone from
    // the network) can be given up by the person waiting, or at the latest after the timeout.
    PrintOutcome HandToSpooler(QString& why, const std::function<bool()>& stillWanted) {
        QProcess lp;
        lp.start(lp_,
                 {QStringLiteral("-d"), QString::fromStdString(printerName_), QStringLiteral("-t"),
                  QString::fromUtf8(kProgramTitle), QStringLiteral("--"), file_.fileName()});
        if (!lp.waitForStarted()) {
            return NoAnswer(lp, why);
        }
        QElapsedTimer waited;
        waited.start();
        while (!lp.waitForFinished(kSpoolerPollMs) && lp.state() != QProcess::NotRunning) {
            const bool wanted = stillWanted();
            if (wanted && waited.elapsed() < kSpoolerTimeoutMs) {
                continue;
            }
            lp.kill();
            lp.waitForFinished();
            return wanted ? NoAnswer(lp, why) : PrintOutcome::Cancelled;
        }
        if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
            const QString answer = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
            why = QStringLiteral("the printer %1 refused the job").arg(Quoted(printerName_)) +
                  (answer.isEmpty() ? QString() : QStringLiteral(": ") + answer);
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Sent;
    }

    static PrintOutcome NoAnswer(const QProcess& lp, QString& why) {
        why = QStringLiteral("the print spooler did not answer: ") + lp.errorString();
        return PrintOutcome::Failed;
    }

    std::string printerName_;
    QString lp_;
    QTemporaryFile file_;
};

// The platform's own printer, where no spooler command is at hand.
class NativePrinterTarget : public PrintTarget {
  public:
    explicit NativePrinterTarget(std::string printerName) : printerName_(std::move(printerName)) {}

    bool Open(QPainter& painter, QString& why) override {
        if (!SpoolerTarget::CheckPrinterInstalled(printerName_, why)) {
            return false;
        }
        printer_ = std::make_unique<QPrinter>(
            QPrinterInfo::printerInfo(QString::fromStdString(printerName_)),
            QPrinter::HighResolution);
        printer_->setDocName(QString::fromUtf8(kProgramTitle));
        // The page the book was laid out on, so the printer scales nothing.
        printer_->setPageLayout(ReportPageLayout(printerName_));
        if (!printer_->isValid() || !painter.begin(printer_.get())) {
            why = QStringLiteral("the printer %1 could not start the document")
                      .arg(Quoted(printerName_));
            return false;
        }
        return true;
    }

    bool NewPage(QString& why) override {
        if (!printer_->newPage()) {
            why = QStringLiteral("a new page could not be started");
            return false;
        }
        return true;
    }

    PrintOutcome Finish(QPainter& painter, QString& why, const std::function<bool()>&) override {
        if (!painter.end() || printer_->printerState() == QPrinter::Error) {
            why = QStringLiteral("the printer %1 did not take the job").arg(Quoted(printerName_));
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Sent;
    }

    void Discard(QPainter& painter) override {
        printer_->abort();
        if (painter.isActive()) {
            painter.end();
        }
    }

  private:
    std::string printerName_;
    std::unique_ptr<QPrinter> printer_;
};

// Draws one page on the surface; false when there is no such page.
using PageDrawer = std::function<bool(Surface&, const BookPage&)>;

QString PageName(RoadwayType type, const BookPage& page) {
    QString name = QStringLiteral("page %1").arg(page.Page + 1LL);
    if (type == RoadwayType::Divided) {
        name += page.Side == Side::Left ? QStringLiteral(" of the left side")
                                        : QStringLiteral(" of the right side");
    }
    return name;
}

PrintOutcome Fail(Messages& messages, const QString& why) {
    const QString sentence = why.endsWith(QLatin1Char('.')) ? why : why + QLatin1Char('.');
    messages.Show("Printing failed: " + sentence.toStdString());
    return PrintOutcome::Failed;
}

}  // namespace

std::unique_ptr<PrintTarget> MakePrinterTarget(const std::string& printerName) {
#ifndef Q_OS_WIN
    // Windows has no CUPS spooler: an `lp` found there is something else.
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (!lp.isEmpty()) {
        return std::make_unique<SpoolerTarget>(printerName, lp);
    }
#endif
    return std::make_unique<NativePrinterTarget>(printerName);
}

std::unique_ptr<PrintTarget> MakePdfFileTarget(const QString& path, const QPageLayout& layout) {
    return std::make_unique<PdfFileTarget>(path, layout);
}

namespace {

PrintOutcome PrintDrawnPages(RoadwayType type, const PageDrawer& draw,
                             const std::vector<BookPage>& pages, PrintTarget& target,
                             Messages& messages, const PrintProgress& progress) {
    const int total = static_cast<int>(pages.size());
    const auto keepGoing = [&](int done) { return !progress || progress(done, total); };
    if (pages.empty()) {
        return Fail(messages, QStringLiteral("the book has no pages"));
    }
    QPainter painter;
    QString why;
    if (!target.Open(painter, why)) {
        return Fail(messages, why);
    }
    PainterSurface surface(painter, SurfaceKind::Printer);
    for (int done = 0; done < total; ++done) {
        if (!keepGoing(done)) {
            target.Discard(painter);
            return PrintOutcome::Cancelled;
        }
        if (done > 0 && !target.NewPage(why)) {
            target.Discard(painter);
            return Fail(messages, why);
        }
        if (!draw(surface, pages[done])) {
            target.Discard(painter);
            return Fail(messages,
                        PageName(type, pages[done]) + QStringLiteral(" could not be drawn"));
        }
    }
    if (!keepGoing(total)) {
        target.Discard(painter);
        return PrintOutcome::Cancelled;
    }
    const PrintOutcome outcome = target.Finish(painter, why, [&] { return keepGoing(total); });
    return outcome == PrintOutcome::Failed ? Fail(messages, why) : outcome;
}

}  // namespace

PrintOutcome PrintPages(const PreparedBooks& books, const std::vector<BookPage>& pages,
                        PrintTarget& target, Messages& messages, const PrintProgress& progress) {
    const PageDrawer draw = [&books](Surface& surface, const BookPage& page) {
        const PaginatedBook* book = books.BookOf(page.Side);
        return book && DrawPage(surface, book->Book, book->Pagination, page.Page, books.PageSize,
                                books.Header);
    };
    return PrintDrawnPages(books.Type(), draw, pages, target, messages, progress);
}

PrintOutcome PrintShownPages(const ViewerState& state, const std::vector<BookPage>& pages,
                             PrintTarget& target, Messages& messages,
                             const PrintProgress& progress) {
    const PageDrawer draw = [&state](Surface& surface, const BookPage& page) {
        return state.DrawPage(surface, page);
    };
    return PrintDrawnPages(state.Type(), draw, pages, target, messages, progress);
}

}  // namespace corvane
