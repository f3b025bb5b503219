// Print jobs: the pages of a job, one document per job, and what a failed,
// refused or cancelled job leaves behind.
#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "sample_books.h"
#include "viewer/print_job.h"
#include "viewer/report_page.h"

using namespace corvane;
using Shown = std::vector<std::string>;

namespace {

// Draws on an image and counts what the job asks of the device.
class CountingTarget : public PrintTarget {
  public:
    bool Open(QPainter& painter, QString&) override { return ++opened, painter.begin(&image); }
    bool NewPage(QString&) override { return ++newPages, true; }
    bool Finish(QPainter& painter, QString& why) override {
        painter.end();
        ++finished;
        why = refusal;
        return refusal.isEmpty();
    }
    void Discard(QPainter& painter) override {
        if (painter.isActive()) {
            painter.end();
        }
        ++discarded;
    }
    // Open, new pages, finished, discarded.
    QList<int> Counts() const { return {opened, newPages, finished, discarded}; }

    QImage image{400, 400, QImage::Format_RGB32};
    QString refusal;  // empty: the document is taken
    int opened = 0;
    int newPages = 0;
    int finished = 0;
    int discarded = 0;
};

QString RunTool(const char* name, const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(name), arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfPageText(const QString& path, int page) {
    const QString number = QString::number(page);
    return RunTool("pdftotext", {"-layout", "-f", number, "-l", number, path, "-"});
}

PrintProgress CancelAt(int page) {
    return [page](int done, int) { return done < page; };
}

}  // namespace

class PrintJobTest : public QObject {
    Q_OBJECT

  private slots:
    void allPagesComeInPrintOrder() {
        const PreparedBooks books = test::Divided(20);
        const int left = books.Books[0].Pagination.LastPage;
        const int right = books.Books[1].Pagination.LastPage;
        std::vector<BookPage> expected = PagesOf({Side::Left, 0, left});
        for (const BookPage& page : PagesOf({Side::Right, 0, right})) {
            expected.push_back(page);
        }
        QCOMPARE(AllBookPages(books), expected);
        const PreparedBooks undivided = test::Undivided(20);
        QCOMPARE(AllBookPages(undivided),
                 PagesOf({Side::Left, 0, undivided.Books[0].Pagination.LastPage}));
    }

    void jobsEndSentRefusedCancelledOrFailed_data() {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("cancelAt");      // -1: never
        QTest::addColumn<bool>("pastTheBook");  // a page the book does not have comes second
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("message");
        const int pages = static_cast<int>(AllBookPages(test::Divided(30)).size());
        QTest::newRow("sent") << "" << -1 << false << int(PrintOutcome::Sent)
                              << QList<int>{1, pages - 1, 1, 0} << "";
        QTest::newRow("refused") << "the printer \"office\" refused the job: not accepting jobs"
                                 << -1 << false << int(PrintOutcome::Failed)
                                 << QList<int>{1, pages - 1, 1, 0}
                                 << "Printing failed: the printer \"office\" refused the job: not "
                                    "accepting jobs.";
        QTest::newRow("cancelled")
            << "" << 2 << false << int(PrintOutcome::Cancelled) << QList<int>{1, 1, 0, 1} << "";
        QTest::newRow("a page past the book")
            << "" << -1 << true << int(PrintOutcome::Failed) << QList<int>{1, 1, 0, 1}
            << "Printing failed: page 501 of the left side could "
               "not be drawn.";
    }
    void jobsEndSentRefusedCancelledOrFailed() {
        QFETCH(QString, refusal);
        QFETCH(int, cancelAt);
        QFETCH(bool, pastTheBook);
        QFETCH(int, outcome);
        QFETCH(QList<int>, counts);
        QFETCH(QString, message);
        const PreparedBooks books = test::Divided(30);
        const std::vector<BookPage> pages =
            pastTheBook ? std::vector<BookPage>{{Side::Left, 0}, {Side::Left, 500}}
                        : AllBookPages(books);
        CountingTarget target;
        target.refusal = refusal;
        RecordingMessages messages;
        std::vector<int> told;

        const PrintOutcome result =
            PrintPages(books, pages, target, messages, [&](int done, int total) {
                told.push_back(done);
                return cancelAt < 0 || CancelAt(cancelAt)(done, total);
            });

        QCOMPARE(int(result), outcome);
        QCOMPARE(target.Counts(), counts);
        QCOMPARE(messages.shown, message.isEmpty() ? Shown{} : Shown{message.toStdString()});
        if (result == PrintOutcome::Sent) {
            QCOMPARE(told.size(), pages.size() + 1);  // once more at the end
        }
    }

    void noPrinterOrAnUnknownPrinterFails() {
        const PreparedBooks books = test::Undivided(20);
        RecordingMessages messages;
        for (const char* printer : {"", "corvane-no-such-printer"}) {
            QCOMPARE(PrintPages(books, AllBookPages(books), *MakePrinterTarget(printer), messages),
                     PrintOutcome::Failed);
        }
        QCOMPARE(messages.shown,
                 (Shown{"Printing failed: no printer is chosen.",
                        "Printing failed: the printer \"corvane-no-such-printer\" is not "
                        "installed."}));
    }

    void theDefaultPageIsLetterWithQuarterInchMargins() {
        // 96 x 63 cells of 120 x 240 twips, the page a book without a printer is laid out on.
        QCOMPARE(PrintableCells(ReportPageLayout("corvane-no-such-printer")), (PageSize{96, 63}));
    }

    void aPdfFileHoldsEveryPageWithItsNumberLine() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF");
        }
        const PreparedBooks books = test::Divided(30);
        QTemporaryDir folder;
        const QString path = folder.filePath("book.pdf");
        RecordingMessages messages;

        QCOMPARE(PrintPages(books, AllBookPages(books),
                            *MakePdfFileTarget(path, ReportPageLayout("")), messages),
                 PrintOutcome::Sent);

        const int left = books.Books[0].Pagination.LastPage + 1;
        const int right = books.Books[1].Pagination.LastPage + 1;
        const QString first = PdfPageText(path, 1);
        QVERIFY2(first.contains(QString("(Left)Page No.:1 of %1").arg(left)), qPrintable(first));
        QVERIFY(first.contains("Project No: P-1") && first.contains("L0+00"));
        const QString last = PdfPageText(path, left + right);
        QVERIFY2(last.contains(QString("(Right)Page No.:%1 of %1").arg(right)), qPrintable(last));
        QVERIFY(PdfPageText(path, left + right + 1).isEmpty());
        QVERIFY(messages.shown.empty());
    }

    // Whatever stops the job, the file at the path is the one that was there
    // before (or none), and no temporary file is left beside it.
    void aCancelledOrFailedPdfLeavesTheOldFile_data() {
        QTest::addColumn<QString>("where");  // "book.pdf" in the folder, or another path
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("reason");  // the system's reason, or empty
        QTest::newRow("cancelled") << "book.pdf" << true << "";
        QTest::newRow("a page past the book") << "book.pdf" << false << "could not be drawn";
        QTest::newRow("a folder that is not there")
            << "missing/folder/book.pdf" << false << "No such file or directory";
        QTest::newRow("a full device") << "/dev/full" << false << "No space left on device";
    }
    void aCancelledOrFailedPdfLeavesTheOldFile() {
        QFETCH(QString, where);
        QFETCH(bool, cancelled);
        QFETCH(QString, reason);
        const PreparedBooks books = test::Undivided(40);
        QTemporaryDir folder;
        QFile old(folder.filePath("book.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old book") == 8);
        old.close();
        std::vector<BookPage> pages = AllBookPages(books);
        if (reason == "could not be drawn") {
            pages.push_back({Side::Left, 900});
        }
        RecordingMessages messages;

        const QString path = where.startsWith('/') ? where : folder.filePath(where);
        const PrintOutcome outcome =
            PrintPages(books, pages, *MakePdfFileTarget(path, ReportPageLayout("")), messages,
                       cancelled ? CancelAt(3) : PrintProgress{});

        QCOMPARE(outcome, cancelled ? PrintOutcome::Cancelled : PrintOutcome::Failed);
        QCOMPARE(messages.shown.size(), size_t(cancelled ? 0 : 1));
        if (!cancelled) {
            QVERIFY2(messages.shown[0].rfind("Printing failed: ", 0) == 0 &&
                         messages.shown[0].find(reason.toStdString()) != std::string::npos,
                     messages.shown[0].c_str());
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old book"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::System),
                 QStringList{"book.pdf"});
    }
};

int main(int argc, char** argv) {
    // Keep the machine's printers out of the test: no scheduler answers here.
    qputenv("CUPS_SERVER", "/nonexistent/corvane-test/cups.sock");
    QApplication app(argc, argv);
    PrintJobTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_job_test.moc"
