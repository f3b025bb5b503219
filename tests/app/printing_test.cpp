// Printing to a real CUPS queue: a private scheduler (started by the test
// fixture with scripts/private-cups.sh) whose queue keeps every job as a PDF.
// The test goes the user's way: Preview in the main window, the queue picked
// in the font and printer dialog, then Print All and Print Selected Pages in
// the viewer; it reads the PDFs that arrive.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>

#include "app/form2.h"
#include "viewer/form5.h"
#include "viewer/frm_print.h"
#include "viewer/frm_system.h"

using namespace corvane;

namespace {

const QString kQueue = QStringLiteral("corvane-pdf");
const QString kData = QStringLiteral(CORVANE_TEST_DATA);
const std::string kSentToQueue = "Pages have been sent to corvane-pdf printer.";
// How long a job may take from the spooler to the queue's folder.
constexpr int kJobArrivalMs = 60000;

QString RunTool(const QString& tool, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    if (exitCode) {
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

int PdfPageCount(const QString& path) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(RunTool(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfPageText(const QString& path, int page) {
    const QString number = QString::number(page);
    return RunTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), number, QStringLiteral("-l"),
                    number, path, QStringLiteral("-")});
}

// Answers the font and printer dialog by choosing the test queue.
ScriptedDialogs::Answer ChooseTheQueue() {
    return [](QDialog& dialog) {
        auto& system = dynamic_cast<frmSystem&>(dialog);
        const int queue = system.PrinterList()->findText(kQueue);
        if (queue < 0) {
            qWarning("the queue is not offered in frmSystem");
            return int(QDialog::Rejected);
        }
        system.PrinterList()->setCurrentIndex(queue);
        system.cmdDone_Click();
        return int(QDialog::Accepted);
    };
}

// Answers the print-selected-pages dialog: a side (divided roadway only) and a range.
ScriptedDialogs::Answer SelectPages(const QString& side, const QString& from, const QString& to) {
    return [=](QDialog& dialog) {
        if (!side.isEmpty()) {
            auto* sides = dialog.findChild<QComboBox*>(QStringLiteral("Combo2"));
            sides->setCurrentIndex(sides->findText(side));
            emit sides->activated(sides->currentIndex());
        }
        dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(from);
        dialog.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(to);
        dialog.findChild<QPushButton*>(QStringLiteral("Command1(1)"))->click();
        return dialog.result();
    };
}

ScriptedDialogs::Answer CancelPages() {
    return [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("Command1(0)"))->click();
        return dialog.result();
    };
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void printAllSendsTheWholeUndividedBook();
    void printSelectedPagesSendsOnePage();
    void cancelSendsNothing();
    void printSelectedPagesOfTheRightSide();
    void printAllOfADividedRoadwayPrintsLeftThenRight();
    void aQueueThatRefusesJobsIsReportedAsAFailure();
    void cleanup();

  private:
    // Runs Preview of a sample file with the queue chosen in frmSystem.
    frmPrint* Preview(const QString& sample);
    // The PDF of the next job to arrive in the queue's folder.
    QString NextJob();
    QStringList Jobs() const;

    QString cupsDir_;
    QString outDir_;
    QString lpadmin_;
    int jobsSeen_ = 0;
    State state_;
    RecordingMessages messages_;
    ScriptedDialogs dialogs_;
    PrintersAndFonts platform_;
    SystemTools tools_;
    std::unique_ptr<Form2> form_;
};

void PrintingTest::initTestCase() {
    cupsDir_ = qEnvironmentVariable("CORVANE_CUPS_DIR");
    if (cupsDir_.isEmpty()) {
        QSKIP("no private CUPS scheduler: run this test through ctest, whose fixture starts one");
    }
    QFile reason(QDir(cupsDir_).filePath(QStringLiteral("skip-reason")));
    if (reason.open(QIODevice::ReadOnly)) {
        QSKIP(qPrintable("the private CUPS scheduler cannot run here: " +
                         QString::fromUtf8(reason.readAll()).trimmed()));
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("pdfinfo and pdftotext (poppler-utils) are needed to read the printed PDFs");
    }
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        QSKIP("Qt's print support lists no printer at all: its CUPS plugin is not installed");
    }
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(kQueue),
             "the private scheduler runs, but Qt does not list its queue");
    outDir_ = QDir(cupsDir_).filePath(QStringLiteral("out"));
    jobsSeen_ = static_cast<int>(Jobs().size());

    form_ = std::make_unique<Form2>(state_, WindowServices{messages_, dialogs_, platform_, tools_});
}

void PrintingTest::cleanup() {
    messages_.shown.clear();
}

QStringList PrintingTest::Jobs() const {
    QStringList jobs = QDir(outDir_).entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    // Job numbers grow: job-9 comes before job-10.
    std::sort(jobs.begin(), jobs.end(), [](const QString& a, const QString& b) {
        return a.mid(4).chopped(4).toInt() < b.mid(4).chopped(4).toInt();
    });
    return jobs;
}

QString PrintingTest::NextJob() {
    const bool arrived =
        QTest::qWaitFor([this] { return Jobs().size() > jobsSeen_; }, kJobArrivalMs);
    if (!arrived) {
        return {};
    }
    return QDir(outDir_).filePath(Jobs().at(jobsSeen_++));
}

frmPrint* PrintingTest::Preview(const QString& sample) {
    form_->ChooseFile(QDir(kData).filePath(sample));
    form_->findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("P-77"));
    form_->findChild<QLineEdit*>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("C-5"));
    dialogs_.setNextAnswer(ChooseTheQueue());
    form_->Command3_Click();
    messages_.shown.clear();
    return form_->Windows().Viewer();
}

void PrintingTest::printAllSendsTheWholeUndividedBook() {
    frmPrint* viewer = Preview(QStringLiteral("sr60-undivided.csv"));
    QVERIFY(viewer);
    QCOMPARE(state_.dialogs.ReportPrinterName, kQueue.toStdString());
    const int pages = state_.cursor.LastPage + 1;
    QVERIFY(pages > 2);

    viewer->MenuItem(QStringLiteral("viewprint"))->trigger();

    QCOMPARE(messages_.shown, std::vector<std::string>{kSentToQueue});
    const QString job = NextJob();
    QVERIFY2(!job.isEmpty(), "the job did not arrive");
    QCOMPARE(PdfPageCount(job), pages);
    const QString first = PdfPageText(job, 1);
    QVERIFY2(first.contains(QStringLiteral("Page No.:1 of %1").arg(pages)), qPrintable(first));
    QVERIFY(first.contains(QStringLiteral("Project No: P-77")));
    QVERIFY(first.contains(QStringLiteral("PAVE-GRADES")));
    const QString last = PdfPageText(job, pages);
    QVERIFY2(last.contains(QStringLiteral("Page No.:%1 of %1").arg(pages)), qPrintable(last));
    // The page totals stay, so the viewer still knows where the book ends.
    QCOMPARE(state_.cursor.LastPage + 1, pages);
}

void PrintingTest::printSelectedPagesSendsOnePage() {
    frmPrint* viewer = Preview(QStringLiteral("sr60-undivided.csv"));
    QVERIFY(viewer);
    const int pages = state_.cursor.LastPage + 1;

    dialogs_.setNextAnswer(SelectPages({}, QStringLiteral("1"), QStringLiteral("1")));
    viewer->MenuItem(QStringLiteral("PrnSelPages"))->trigger();

    QCOMPARE(messages_.shown, std::vector<std::string>{kSentToQueue});
    const QString job = NextJob();
    QVERIFY2(!job.isEmpty(), "the job did not arrive");
    QCOMPARE(PdfPageCount(job), 1);
    QVERIFY(PdfPageText(job, 1).contains(QStringLiteral("Page No.:1 of %1").arg(pages)));
}

void PrintingTest::cancelSendsNothing() {
    frmPrint* viewer = Preview(QStringLiteral("sr60-undivided.csv"));
    QVERIFY(viewer);
    const int32_t page = state_.cursor.CurrentPage;

    dialogs_.setNextAnswer(CancelPages());
    viewer->MenuItem(QStringLiteral("PrnSelPages"))->trigger();

    QVERIFY(messages_.shown.empty());
    QCOMPARE(state_.cursor.CurrentPage, page);
    QVERIFY(state_.dialogs.PrintCancelled);
    // Nothing was queued: the next job to arrive is the one printed below.
    dialogs_.setNextAnswer(SelectPages({}, QStringLiteral("2"), QStringLiteral("2")));
    viewer->MenuItem(QStringLiteral("PrnSelPages"))->trigger();
    const QString job = NextJob();
    QVERIFY(!job.isEmpty());
    QVERIFY(PdfPageText(job, 1).contains(QStringLiteral("Page No.:2 of")));
}

void PrintingTest::printSelectedPagesOfTheRightSide() {
    frmPrint* viewer = Preview(QStringLiteral("i4-divided.csv"));
    QVERIFY(viewer);
    const int right = state_.cursor.LastPageRight + 1;
    QVERIFY(right >= 3);

    dialogs_.setNextAnswer(
        SelectPages(QStringLiteral("RightSide"), QStringLiteral("2"), QStringLiteral("3")));
    viewer->MenuItem(QStringLiteral("PrnSelPages"))->trigger();

    QCOMPARE(messages_.shown, std::vector<std::string>{kSentToQueue});
    const QString job = NextJob();
    QVERIFY2(!job.isEmpty(), "the job did not arrive");
    QCOMPARE(PdfPageCount(job), 2);
    const QString first = PdfPageText(job, 1);
    QVERIFY2(first.contains(QStringLiteral("(Right)Page No.:2 of %1").arg(right)),
             qPrintable(first));
    QVERIFY(PdfPageText(job, 2).contains(QStringLiteral("(Right)Page No.:3 of %1").arg(right)));
}

void PrintingTest::printAllOfADividedRoadwayPrintsLeftThenRight() {
    frmPrint* viewer = Preview(QStringLiteral("i4-divided.csv"));
    QVERIFY(viewer);
    const int left = state_.cursor.LastPageLeft + 1;
    const int right = state_.cursor.LastPageRight + 1;

    viewer->MenuItem(QStringLiteral("viewprint"))->trigger();

    QCOMPARE(messages_.shown, std::vector<std::string>{kSentToQueue});
    const QString job = NextJob();
    QVERIFY2(!job.isEmpty(), "the job did not arrive");
    QCOMPARE(PdfPageCount(job), left + right);
    QVERIFY(PdfPageText(job, 1).contains(QStringLiteral("(Left)Page No.:1 of %1").arg(left)));
    QVERIFY(PdfPageText(job, left).contains(QStringLiteral("(Left)Page No.:%1 of %1").arg(left)));
    QVERIFY(
        PdfPageText(job, left + 1).contains(QStringLiteral("(Right)Page No.:1 of %1").arg(right)));
    const QString last = PdfPageText(job, left + right);
    QVERIFY2(last.contains(QStringLiteral("(Right)Page No.:%1 of %1").arg(right)),
             qPrintable(last));
}

void PrintingTest::aQueueThatRefusesJobsIsReportedAsAFailure() {
    const QString reject = QStandardPaths::findExecutable(
        QStringLiteral("cupsreject"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    const QString accept = QStandardPaths::findExecutable(
        QStringLiteral("cupsaccept"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (reject.isEmpty() || accept.isEmpty()) {
        QSKIP("cupsreject and cupsaccept (cups-client) are needed to make the queue refuse jobs");
    }
    frmPrint* viewer = Preview(QStringLiteral("short-undivided.csv"));
    QVERIFY(viewer);
    int exitCode = -1;
    const QString answer = RunTool(reject, {kQueue}, &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(answer));

    viewer->MenuItem(QStringLiteral("viewprint"))->trigger();
    RunTool(accept, {kQueue}, &exitCode);

    QCOMPARE(messages_.shown.size(), size_t{1});
    const std::string& message = messages_.shown.front();
    QVERIFY2(message.rfind("Printing failed: the printer \"corvane-pdf\" refused the job", 0) == 0,
             message.c_str());
    QVERIFY(message.find("have been sent") == std::string::npos);
    QCOMPARE(exitCode, 0);
}

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
