// Printing to the queue of a private CUPS scheduler (scripts/private-cups.sh) that keeps every job
// as a PDF, the user's way: Preview, the queue picked in the font and printer dialog, then Print
// All or Print Selected Pages in the viewer.
#include <QPrinterInfo>
#include <QtTest>
#include <QtWidgets>

#include <algorithm>

#include "app/main_window.h"
#include "bad_inputs.h"
#include "viewer/viewer_fixture.h"

using namespace corvane;

namespace {

const QString kQueue = "corvane-pdf";
const std::string kSentToQueue = "Pages have been sent to corvane-pdf printer.";

// The page number lines a job of a side's pages from..to (0-based) of the book on show prints;
// all pages without side.
QStringList PageNumbers(const ViewerState& state, const QString& side, int from, int to) {
    QStringList lines;
    for (const PaginatedBook& book : state.GradeBooks().Books) {
        const bool right = book.Book.Side == Side::Right;
        if (!side.isEmpty() && right != (side == "RightSide"))
            continue;
        const int last = book.Pagination.LastPage;
        for (int page = side.isEmpty() ? 0 : from; page <= (side.isEmpty() ? last : to); ++page)
            lines << QString::fromStdString(book.Book.SideMarker()) +
                         QString("Page No.:%1 of %2").arg(page + 1).arg(last + 1);
    }
    return lines;
}

struct Job {
    const char* name;
    QString sample;
    QString side;      // empty: Print All
    int from, to;      // 1-based, as typed
    QString stations;  // the station range shown; empty: the whole book
};

// Answers the print-selected-pages dialog with a side and a range.
ScriptedDialogs::Answer SelectPages(const QString& side, int from, int to) {
    return [=](QDialog& dialog) {
        auto* sides = dialog.findChild<QComboBox*>("Combo2");
        if (sides->isVisibleTo(&dialog)) {  // a divided roadway only
            sides->setCurrentIndex(sides->findText(side));
            emit sides->activated(sides->currentIndex());
        }
        const QString first = QString::number(from), last = QString::number(to);
        return test::Fill({{"Text1", first}, {"Text2", last}}, "Command1(1)")(dialog);
    };
}

// The driver description of a printer that takes PDF as it is and holds one paper: its name,
// its size in points, and how far in from each edge the printable area lies.
QByteArray PrinterDescription(const QString& paper, QSize points, int inset) {
    return QString(R"ppd(*PPD-Adobe: "4.3"
*ModelName: "Corvane Test Printer"
*cupsFilter: "application/pdf 0 -"
*OpenUI *PageSize: PickOne
*DefaultPageSize: %1
*PageSize %1: ""
*CloseUI: *PageSize
*DefaultImageableArea: %1
*ImageableArea %1: "%4 %4 %5 %6"
*DefaultPaperDimension: %1
*PaperDimension %1: "%2 %3"
)ppd")
        .arg(paper)
        .arg(points.width())
        .arg(points.height())
        .arg(inset)
        .arg(points.width() - inset)
        .arg(points.height() - inset)
        .toUtf8();
}

// Runs a queue command of cups-client, which the private scheduler needs too; true when it
// succeeded or there is none.
bool QueueCommand(QStringList command) {
    if (command.isEmpty())
        return true;
    command[0] = QStandardPaths::findExecutable(command[0], {"/usr/sbin", "/sbin"});
    return !command[0].isEmpty() && RunCorvane(command).exitCode == 0;
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

    QString outDir_;
    QTemporaryDir folder_;
    int jobsSeen_ = 0;
    RecordingMessages messages_;
    ScriptedDialogs dialogs_;
    PrintersAndFonts platform_;
    SystemTools tools_;
    std::unique_ptr<MainWindow> form_;

    QStringList Jobs() const {
        QStringList jobs = QDir(outDir_).entryList({"job-*.pdf"}, QDir::Files);
        // Job numbers grow: job-9 comes before job-10.
        std::sort(jobs.begin(), jobs.end(), [](const QString& a, const QString& b) {
            return a.mid(4).chopped(4).toInt() < b.mid(4).chopped(4).toInt();
        });
        return jobs;
    }
    // The PDF of the next job to arrive in the queue's folder.
    QString NextJob() {
        if (!QTest::qWaitFor([this] { return Jobs().size() > jobsSeen_; }, 60000))
            return {};
        return QDir(outDir_).filePath(Jobs().at(jobsSeen_++));
    }
    // Preview of a sample file with the queue chosen in the font and printer dialog; the
    // messages it gave are left in messages_.
    ReportViewer* Preview(const QString& sample, const QString& queue = kQueue) {
        messages_.shown.clear();
        form_->ChooseFile(QDir(CORVANE_TEST_DATA).filePath(sample));
        form_->findChild<QLineEdit*>("Text1(0)")->setText("P-77");
        form_->findChild<QLineEdit*>("Text1(1)")->setText("C-5");
        dialogs_.setNextAnswer(test::Fill({{"combo1(0)", queue}}, "cmdDone"));
        form_->Preview();
        return form_->Windows().Viewer();
    }
    // The longest book a file may hold: 2001 stations of 31 points a side, some 6400 pages.
    QString LongReport() {
        const QString path = folder_.filePath("long.csv");
        if (!QFile::exists(path))
            WriteFile(path, Divided(Repeat(2001 * 2, [](int group) {
                          const QByteArray side = group % 2 ? "RIGHT" : "LEFT";
                          return Repeat(31, [&](int p) { return SideRow(side, group / 2, p); }) +
                                 kTerminator;
                      })));
        return path;
    }

  private slots:
    void initTestCase() {
        const QString cupsDir = qEnvironmentVariable("CORVANE_CUPS_DIR");
        if (cupsDir.isEmpty())
            QSKIP("no private CUPS scheduler: run this test through ctest, which starts one");
        QFile reason(QDir(cupsDir).filePath("skip-reason"));
        if (reason.open(QIODevice::ReadOnly))
            QSKIP(qPrintable("the private CUPS scheduler cannot run here: " +
                             QString::fromUtf8(reason.readAll()).trimmed()));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the printed PDFs");
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("Qt's print support lists no printer at all: its CUPS plugin is not installed");
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(kQueue),
                 "the private scheduler runs, but Qt does not list its queue");
        outDir_ = QDir(cupsDir).filePath("out");
        jobsSeen_ = static_cast<int>(Jobs().size());
        form_ =
            std::make_unique<MainWindow>(WindowServices{messages_, dialogs_, platform_, tools_});
    }

    void jobsHoldThePagesAsked_data() {
        const QString undivided = "sr60-undivided.csv", divided = "i4-divided.csv";
        test::AddRows<Job>({
            {"undivided, page 2", undivided, "LeftSide", 2, 2, ""},
            {"divided, all", divided, "", 0, 0, ""},
            {"divided, right 2 to 3", divided, "RightSide", 2, 3, ""},
            {"divided, a range, all", divided, "", 0, 0, "1045+00..1050+00"},
            {"undivided, a range, page 2", undivided, "LeftSide", 2, 2, "..2399+00"},
        });
    }

    void jobsHoldThePagesAsked() {
        QFETCH(Job, c);
        const auto& [name, sample, side, from, to, stations] = c;
        ReportViewer* viewer = Preview(sample);
        QVERIFY(viewer);
        if (!stations.isEmpty()) {
            const QStringList bounds = stations.split("..");
            dialogs_.setNextAnswer(
                test::Fill({{"FromStation", bounds[0]}, {"ToStation", bounds[1]}}, "cmdOK"));
            viewer->MenuItem("mnuStations")->trigger();
            QVERIFY(form_->Windows().State().Range());
        }
        if (side.isEmpty()) {
            viewer->MenuItem("viewprint")->trigger();
        } else {
            dialogs_.setNextAnswer(SelectPages(side, from, to));
            viewer->MenuItem("PrnSelPages")->trigger();
        }

        QCOMPARE(messages_.shown, std::vector<std::string>{kSentToQueue});
        const QString job = NextJob();
        QVERIFY2(!job.isEmpty(), "the job did not arrive");
        QStringList pages =
            QString::fromUtf8(RunCorvane({"pdftotext", "-layout", job, "-"}).out).split('\f');
        pages.removeLast();  // after the last page's form feed
        const QStringList numbers = PageNumbers(form_->Windows().State(), side, from - 1, to - 1);
        QCOMPARE(pages.size(), numbers.size());
        for (qsizetype page = 0; page < pages.size(); ++page)
            QVERIFY2(pages[page].contains(numbers[page] + "\n") ||
                         pages[page].contains(numbers[page] + " "),
                     qPrintable(numbers[page] + " not on\n" + pages[page]));
        QVERIFY(pages.first().contains("Project No: P-77") &&
                pages.first().contains("PAVE-GRADES"));
    }

    // The book is laid out on the paper the queue holds, portrait, less what the printer cannot
    // reach, as the export lays it out on that page; the job is printed on that paper. A queue
    // without a driver names no paper and gets a Letter page with quarter-inch margins. A paper
    // the layout does not fit stops the Preview with no book.
    void booksAreLaidOutOnThePaperOfTheQueue_data() {
        QTest::addColumn<QByteArray>("paper");  // empty: the queue without a driver
        QTest::addColumn<QSize>("points");
        QTest::addColumn<int>("inset");
        QTest::addColumn<QString>("cells");  // the page the book is laid out on; empty: refused
        QTest::newRow("no driver") << QByteArray() << QSize(612, 792) << 0 << "96x63";
        QTest::newRow("Letter") << QByteArray("Letter") << QSize(612, 792) << 0 << "102x66";
        QTest::newRow("Legal") << QByteArray("Legal") << QSize(612, 1008) << 0 << "102x84";
        QTest::newRow("Legal, 18 pt unprintable")
            << QByteArray("Legal") << QSize(612, 1008) << 18 << "96x81";
        QTest::newRow("A5") << QByteArray("A5") << QSize(420, 595) << 0 << "";
        QTest::newRow("2 x 2 inches") << QByteArray("w144h144") << QSize(144, 144) << 0 << "";
    }

    void booksAreLaidOutOnThePaperOfTheQueue() {
        QFETCH(QByteArray, paper);
        QFETCH(QSize, points);
        QFETCH(int, inset);
        QFETCH(QString, cells);
        QString queue = kQueue;
        if (!paper.isEmpty()) {
            queue = "corvane-paper";
            const QString ppd = folder_.filePath("paper.ppd");
            QVERIFY(WriteFile(ppd, PrinterDescription(paper, points, inset)));
            QVERIFY(QueueCommand(
                {"lpadmin", "-p", queue, "-E", "-v", "corvane-pdf:" + outDir_, "-P", ppd}));
        }
        const auto removeQueue = qScopeGuard([&] {
            if (queue != kQueue)
                QueueCommand({"lpadmin", "-x", queue});
        });
        const ViewerState& state = form_->Windows().State();
        const PageSize before = state.Page();

        ReportViewer* viewer = Preview("i4-divided.csv", queue);

        if (cells.isEmpty()) {
            QCOMPARE(messages_.shown.size(), size_t{1});
            QVERIFY2(messages_.shown.front().rfind("The printer's page of ", 0) == 0,
                     messages_.shown.front().c_str());
            QCOMPARE(state.Page(), before);
            return;
        }
        QCOMPARE(messages_.shown, std::vector<std::string>{});
        QCOMPARE(QString::fromStdString(PageCellsText(state.Page())), cells);
        const Run exported = RunCorvane(
            {CORVANE_BINARY, "export", QDir(CORVANE_TEST_DATA).filePath("i4-divided.csv"),
             "--project", "P-77", "--control", "C-5", "--page", cells, "-o", "-"});
        QCOMPARE(exported.exitCode, 0);
        const int pages = static_cast<int>(AllBookPages(state.Books()).size());
        QCOMPARE(pages, static_cast<int>(exported.out.count('\f')));

        viewer->MenuItem("viewprint")->trigger();
        const QString job = NextJob();
        QVERIFY2(!job.isEmpty(), "the job did not arrive");
        const QString info = QString::fromUtf8(RunCorvane({"pdfinfo", job}).out);
        const QString expected = QString("Pages: +%1\n(.*\n)*Page size: +%2 x %3 pts")
                                     .arg(pages)
                                     .arg(points.width())
                                     .arg(points.height());
        QVERIFY2(info.contains(QRegularExpression(expected)), qPrintable(info));
    }

    // Print All of a long book that ends without reaching the queue: refused by the queue,
    // losing it while the pages are drawn, or cancelled at the progress dialog (also while a
    // spooler that never answers is waited for). A failure says why
    // in one message; a cancel stops before the next page and says nothing.
    void jobsThatFailOrAreCancelledSendNothing_data() {
        QTest::addColumn<QStringList>("before");  // a queue command run before Print All
        QTest::addColumn<QStringList>("during");  // one run once the progress shows, or Cancel
        QTest::addColumn<QStringList>("after");   // one that puts the queue back
        QTest::addColumn<QString>("failure");     // how the one message starts; empty: none
        const QString refused = "Printing failed: the printer \"corvane-pdf\" refused the job";
        const QStringList none;
        QTest::newRow("queue refuses jobs") << QStringList{"cupsreject", kQueue} << none
                                            << QStringList{"cupsaccept", kQueue} << refused;
        QTest::newRow("queue deleted mid-job")
            << none << QStringList{"lpadmin", "-x", kQueue}
            << QStringList{"lpadmin", "-p", kQueue, "-E", "-v", "corvane-pdf:" + outDir_}
            << refused + ": ";
        QTest::newRow("cancelled mid-job") << none << QStringList{"Cancel"} << none << QString();
        QTest::newRow("cancelled while the spooler never answers")
            << QStringList{"stall"} << QStringList{"Cancel"} << none << QString();
    }

    void jobsThatFailOrAreCancelledSendNothing() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, during);
        QFETCH(QStringList, after);
        QFETCH(QString, failure);
        // A stalled spooler is an `lp` that never returns, met by a short book.
        const bool stall = before == QStringList{"stall"};
        ReportViewer* viewer = Preview(stall ? "sr60-undivided.csv" : LongReport());
        QVERIFY(viewer);
        const QByteArray path = qgetenv("PATH");
        const auto putBack = qScopeGuard([&] { QueueCommand(after), qputenv("PATH", path); });
        if (stall) {
            QVERIFY(WriteFile(folder_.filePath("lp"), "#!/bin/sh\nexec sleep 600\n"));
            QFile::setPermissions(folder_.filePath("lp"), QFile::ReadOwner | QFile::ExeOwner);
            qputenv("PATH", folder_.path().toLocal8Bit() + ":" + path);
        } else {
            QVERIFY(QueueCommand(before));
        }

        // The pages done when the progress first showed (and the command ran), and the most after.
        int shownAt = -1, last = -1;
        bool ran = true;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto* progress = viewer->findChild<QProgressDialog*>();
            if (shownAt >= 0 || !progress || !progress->isVisible())
                return;
            shownAt = progress->value();
            connect(progress->findChild<QProgressBar*>(), &QProgressBar::valueChanged,
                    [&last](int done) { last = std::max(last, done); });
            if (during == QStringList{"Cancel"})
                progress->cancel();
            else
                ran = QueueCommand(during);
        });
        watch.start(10);
        viewer->MenuItem("viewprint")->trigger();

        QVERIFY2(shownAt >= 0 && ran, "the progress never showed, or the command failed");
        QCOMPARE(Jobs().size(), jobsSeen_);
        if (failure.isEmpty()) {
            QVERIFY(messages_.shown.empty());
            QVERIFY2(last <= shownAt + 1,
                     qPrintable(QString("cancelled at %1, went on to %2").arg(shownAt).arg(last)));
        } else {
            QCOMPARE(messages_.shown.size(), size_t{1});
            QVERIFY2(messages_.shown.front().rfind(failure.toStdString(), 0) == 0,
                     messages_.shown.front().c_str());
        }
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
