// Print jobs: the pages of a job, one document per job, and what a failed,
// refused or cancelled job leaves behind.
#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "printing_book.h"
#include "viewer/print_job.h"
#include "viewer/report_page.h"

using namespace corvane;

namespace {

// Draws on an image and counts what the job asks of the device.
class CountingTarget : public PrintTarget {
  public:
    bool Open(QPainter& painter, QString&) override {
        ++opened;
        return painter.begin(&image);
    }
    bool NewPage(QString&) override {
        ++newPages;
        return true;
    }
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

    QImage image{400, 400, QImage::Format_RGB32};
    QString refusal;  // empty: the document is taken
    int opened = 0;
    int newPages = 0;
    int finished = 0;
    int discarded = 0;
};

bool AnyMessageSaysSent(const RecordingMessages& messages) {
    return std::any_of(messages.shown.begin(), messages.shown.end(), [](const std::string& text) {
        return text.find("have been sent") != std::string::npos;
    });
}

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPageCount(const QString& path) {
    const QString info = RunTool(Tool("pdfinfo"), {path});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfPageText(const QString& path, int page) {
    const QString number = QString::number(page);
    return RunTool(Tool("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), number,
                                       QStringLiteral("-l"), number, path, QStringLiteral("-")});
}

}  // namespace

class PrintJobTest : public QObject {
    Q_OBJECT

  private slots:
    void allPagesComeInPrintOrder();
    void everyPageGoesIntoOneDocument();
    void aRefusedJobIsAFailureNeverSent();
    void cancellingDiscardsTheDocument();
    void aPageThatCannotBeDrawnFailsTheJob();
    void noPrinterOrAnUnknownPrinterFails();
    void theDefaultPageIsLetterWithQuarterInchMargins();
    void aPdfFileHoldsEveryPageWithItsNumberLine();
    void aCancelledOrFailedPdfLeavesTheOldFile();
};

void PrintJobTest::allPagesComeInPrintOrder() {
    State state;
    test::MakeUndividedBook(state, 20);
    QCOMPARE(AllBookPages(state), PageRange({}, 0, state.cursor.LastPage));

    test::MakeDividedBook(state, 20);
    const std::vector<BookPage> pages = AllBookPages(state);
    QCOMPARE(pages.size(), size_t(state.cursor.LastPageLeft + 1 + state.cursor.LastPageRight + 1));
    QCOMPARE(pages.front(), (BookPage{kLeftSide, 0}));
    QCOMPARE(pages[size_t(state.cursor.LastPageLeft)],
             (BookPage{kLeftSide, state.cursor.LastPageLeft}));
    QCOMPARE(pages[size_t(state.cursor.LastPageLeft) + 1], (BookPage{kRightSide, 0}));
    QCOMPARE(pages.back(), (BookPage{kRightSide, state.cursor.LastPageRight}));

    state.settings.RoadwayType = "SOMETHING";
    QVERIFY(AllBookPages(state).empty());
}

void PrintJobTest::everyPageGoesIntoOneDocument() {
    State state;
    test::MakeDividedBook(state, 30);
    const PageCursor totals = state.cursor;
    const std::vector<BookPage> pages = AllBookPages(state);
    CountingTarget target;
    RecordingMessages messages;
    std::vector<int> told;

    const PrintOutcome outcome = PrintPages(state, pages, target, messages, [&](int done, int) {
        told.push_back(done);
        return true;
    });

    QCOMPARE(outcome, PrintOutcome::Sent);
    QVERIFY(messages.shown.empty());
    QCOMPARE(target.opened, 1);
    QCOMPARE(target.newPages, static_cast<int>(pages.size()) - 1);
    QCOMPARE(target.finished, 1);
    QCOMPARE(target.discarded, 0);
    QCOMPARE(told.size(), pages.size() + 1);
    // The cursor ends on the last page printed; the page totals stay.
    QCOMPARE(state.settings.CurrentSide, kRightSide);
    QCOMPARE(state.cursor.CurrentPage, totals.LastPageRight);
    QCOMPARE(state.cursor.LastPageLeft, totals.LastPageLeft);
    QCOMPARE(state.cursor.LastPageRight, totals.LastPageRight);
    QCOMPARE(state.cursor.PageStartRight, totals.PageStartRight);
}

void PrintJobTest::aRefusedJobIsAFailureNeverSent() {
    State state;
    test::MakeUndividedBook(state, 20);
    CountingTarget target;
    target.refusal = QStringLiteral("the printer \"office\" refused the job: not accepting jobs");
    RecordingMessages messages;

    const PrintOutcome outcome = PrintPages(state, AllBookPages(state), target, messages);

    QCOMPARE(outcome, PrintOutcome::Failed);
    QCOMPARE(messages.shown,
             std::vector<std::string>{
                 "Printing failed: the printer \"office\" refused the job: not accepting jobs."});
    QVERIFY(!AnyMessageSaysSent(messages));
}

void PrintJobTest::cancellingDiscardsTheDocument() {
    State state;
    test::MakeUndividedBook(state, 40);
    CountingTarget target;
    RecordingMessages messages;

    const PrintOutcome outcome = PrintPages(state, AllBookPages(state), target, messages,
                                            [](int done, int) { return done < 2; });

    QCOMPARE(outcome, PrintOutcome::Cancelled);
    QCOMPARE(target.discarded, 1);
    QCOMPARE(target.finished, 0);
    QCOMPARE(target.newPages, 1);
    QVERIFY(messages.shown.empty());
}

void PrintJobTest::aPageThatCannotBeDrawnFailsTheJob() {
    State state;
    test::MakeUndividedBook(state, 20);
    CountingTarget target;
    RecordingMessages messages;

    const PrintOutcome outcome =
        PrintPages(state, {BookPage{{}, 0}, BookPage{{}, 500}}, target, messages);

    QCOMPARE(outcome, PrintOutcome::Failed);
    QCOMPARE(target.discarded, 1);
    QCOMPARE(target.finished, 0);
    QVERIFY(!messages.shown.empty());
    QCOMPARE(messages.shown.back(), std::string("Printing failed: page 501 could not be drawn."));
    QVERIFY(!AnyMessageSaysSent(messages));
}

void PrintJobTest::noPrinterOrAnUnknownPrinterFails() {
    State state;
    test::MakeUndividedBook(state, 20);
    RecordingMessages messages;

    QCOMPARE(PrintPages(state, AllBookPages(state), *MakePrinterTarget(""), messages),
             PrintOutcome::Failed);
    QCOMPARE(PrintPages(state, AllBookPages(state), *MakePrinterTarget("corvane-no-such-printer"),
                        messages),
             PrintOutcome::Failed);

    QCOMPARE(messages.shown,
             (std::vector<std::string>{
                 "Printing failed: no printer is chosen.",
                 "Printing failed: the printer \"corvane-no-such-printer\" is not installed."}));
}

void PrintJobTest::theDefaultPageIsLetterWithQuarterInchMargins() {
    const QPageLayout layout = ReportPageLayout("corvane-no-such-printer");
    const QRectF printable = layout.paintRect(QPageLayout::Inch);
    // 96 x 63 cells of 120 x 240 twips, the page a book without a printer is laid out on.
    QCOMPARE(printable.width() * 1440 / 120, 96.0);
    QCOMPARE(printable.height() * 1440 / 240, 63.0);
}

void PrintJobTest::aPdfFileHoldsEveryPageWithItsNumberLine() {
    if (Tool("pdfinfo").isEmpty() || Tool("pdftotext").isEmpty()) {
        QSKIP("pdfinfo and pdftotext (poppler-utils) are needed to read the PDF");
    }
    State state;
    test::MakeDividedBook(state, 30);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.pdf"));
    RecordingMessages messages;

    const PrintOutcome outcome = PrintPages(
        state, AllBookPages(state), *MakePdfFileTarget(path, ReportPageLayout("")), messages);

    QCOMPARE(outcome, PrintOutcome::Sent);
    QVERIFY(messages.shown.empty());
    const int left = state.cursor.LastPageLeft + 1;
    const int right = state.cursor.LastPageRight + 1;
    QCOMPARE(PdfPageCount(path), left + right);
    const QString first = PdfPageText(path, 1);
    QVERIFY2(first.contains(QStringLiteral("(Left)Page No.:1 of %1").arg(left)), qPrintable(first));
    QVERIFY(first.contains(QStringLiteral("Project No: P-1")));
    QVERIFY(first.contains(QString::fromStdString(test::StationText("L", 0))));
    const QString last = PdfPageText(path, left + right);
    QVERIFY2(last.contains(QStringLiteral("(Right)Page No.:%1 of %1").arg(right)),
             qPrintable(last));
}

// Whatever stops the job, the file at the path is the one that was there
// before (or none), and no temporary file is left beside it.
void PrintJobTest::aCancelledOrFailedPdfLeavesTheOldFile() {
    State state;
    test::MakeUndividedBook(state, 40);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.pdf"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old book");
    }
    const auto folderIsAsItWas = [&] {
        QFile old(path);
        return old.open(QIODevice::ReadOnly) && old.readAll() == "old book" &&
               QDir(folder.path()).entryList(QDir::Files | QDir::System) ==
                   QStringList{QStringLiteral("book.pdf")};
    };
    RecordingMessages messages;

    QCOMPARE(PrintPages(state, AllBookPages(state), *MakePdfFileTarget(path, ReportPageLayout("")),
                        messages, [](int done, int) { return done < 3; }),
             PrintOutcome::Cancelled);
    QVERIFY(folderIsAsItWas());

    QCOMPARE(PrintPages(state, {BookPage{{}, 0}, BookPage{{}, 900}},
                        *MakePdfFileTarget(path, ReportPageLayout("")), messages),
             PrintOutcome::Failed);
    QVERIFY(folderIsAsItWas());

    // Failures with the system's reason: a folder that is not there, a full device.
    const std::vector<std::pair<QString, std::string>> failures{
        {folder.filePath(QStringLiteral("missing/folder/book.pdf")), "No such file or directory"},
        {QStringLiteral("/dev/full"), "No space left on device"}};
    for (const auto& [where, reason] : failures) {
        messages.shown.clear();
        QCOMPARE(PrintPages(state, AllBookPages(state),
                            *MakePdfFileTarget(where, ReportPageLayout("")), messages),
                 PrintOutcome::Failed);
        QCOMPARE(messages.shown.size(), size_t{1});
        QVERIFY2(messages.shown[0].rfind("Printing failed: the file ", 0) == 0 &&
                     messages.shown[0].find(reason) != std::string::npos,
                 messages.shown[0].c_str());
    }
    QVERIFY(folderIsAsItWas());
}

int main(int argc, char** argv) {
    // Keep the machine's printers out of the test: no scheduler answers here.
    qputenv("CUPS_SERVER", "/nonexistent/corvane-test/cups.sock");
    QApplication app(argc, argv);
    PrintJobTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_job_test.moc"
