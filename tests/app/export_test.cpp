// `corvane export` as a user runs it: the binary, its files, its messages and exit status.
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kData = CORVANE_TEST_DATA;

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run Export(const QStringList& arguments) {
    QProcess process;
    process.start(CORVANE_BINARY, QStringList{"export"} + arguments);
    process.waitForFinished(60000);
    return Run{process.exitCode(), process.readAllStandardOutput(),
               QString::fromUtf8(process.readAllStandardError())};
}

// The pages of the text form: each ends with a line holding only a form feed.
QList<QByteArray> Pages(const QByteArray& text) {
    QList<QByteArray> pages;
    qsizetype begin = 0;
    for (qsizetype end = text.indexOf("\f\n"); end >= 0; end = text.indexOf("\f\n", begin)) {
        pages.append(text.mid(begin, end - begin));
        begin = end + 2;
    }
    return pages;
}

int PdfPageCount(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const QString output = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpression pages(R"(Pages:\s+(\d+))");
    return pages.match(output).captured(1).toInt();
}

QString PdfText(const QString& pdf, int page) {
    QProcess text;
    text.start("pdftotext",
               {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

  private slots:
    void textFormHasWholePagesWithThePrinterHeader() {
        const Run run = Export({kData + "/short-undivided.csv", "-o", "-", "--project", "0417",
                                "--control", "60-1", "--date", "2026-12-06"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QList<QByteArray> pages = Pages(run.out);
        QVERIFY(!pages.isEmpty());
        for (const QByteArray& page : pages) {
            QCOMPARE(page.count('\n'), 63);
            for (const QByteArray& line : page.split('\n'))
                QVERIFY2(!line.endsWith(' '), "lines are right-trimmed");
        }
        const QList<QByteArray> lines = pages.first().split('\n');
        QCOMPARE(lines[1].indexOf("Project No: 0417"), 7);
        // The printer's " PAVE-GRADES " starts two columns inside "  GEOPAK  ";
        // drawn transparent, its leading blank leaves the A of GEOPAK standing.
        QCOMPARE(lines[1].indexOf("GEOPAPAVE-GRADES"), 33);
        QCOMPARE(lines[2].indexOf("Date: 12 06 2026"), 71);
        QCOMPARE(lines[1].indexOf("Page No.:1 of " + QByteArray::number(pages.size())), 66);
    }

    void dividedBookPrintsLeftPagesThenRightPages() {
        const Run run =
            Export({kData + "/i4-divided.csv", "-o", "-", "--project", "1", "--control", "2"});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> pages = Pages(run.out);
        QVERIFY(pages.size() >= 2);
        QVERIFY(pages.first().contains("(Left)Page No.:1 of "));
        QVERIFY(pages.last().contains("(Right)Page No.:"));
        bool seenRight = false;
        for (const QByteArray& page : pages) {
            seenRight = seenRight || page.contains("(Right)");
            QVERIFY2(!(seenRight && page.contains("(Left)")), "no left page after a right page");
        }
    }

    void pdfHoldsTheSamePagesAsTheTextForm() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("book.pdf");
        const QStringList common{kData + "/sr60-undivided.csv",
                                 "--project",
                                 "0417",
                                 "--control",
                                 "60-1",
                                 "--date",
                                 "2026-12-06"};
        const Run text = Export(common + QStringList{"-o", "-"});
        const Run written = Export(common + QStringList{"-o", pdf});
        QCOMPARE(written.exitCode, 0);
        const int pages = static_cast<int>(Pages(text.out).size());
        QCOMPARE(PdfPageCount(pdf), pages);
        const QString first = PdfText(pdf, 1);
        QVERIFY(first.contains("Project No: 0417"));
        QVERIFY(first.contains("PAVE-GRADES"));
        QVERIFY(first.contains("Date: 12 06 2026"));
        QVERIFY(PdfText(pdf, pages).contains(QString("Page No.:%1 of %1").arg(pages)));
    }

    void textFileIsWrittenWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath("book.txt");
        const Run run = Export(
            {kData + "/short-undivided.csv", "-o", path, "--project", "1", "--control", "2"});
        QCOMPARE(run.exitCode, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith("\f\n"));
    }

    // A pipe or device is written in place, never replaced by a regular file
    // (the same holds for /dev/null, which a root user must not lose).
    void pipeIsWrittenInPlace() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("book.fifo");
        QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
        QProcess reader;
        reader.start("cat", {fifo});
        const Run run = Export(
            {kData + "/short-undivided.csv", "-o", fifo, "--project", "1", "--control", "2"});
        QVERIFY(reader.waitForFinished(30000));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(reader.readAllStandardOutput().contains("PAVE-GRADES"));
        QVERIFY(!QFileInfo(fifo).isFile());
    }

    void unwritableOutputFailsWithItsReason() {
        for (const QString output : {"/nonexistent/book.txt", "/nonexistent/book.pdf"}) {
            const Run run = Export(
                {kData + "/short-undivided.csv", "-o", output, "--project", "1", "--control", "2"});
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(output) && run.err.contains("No such file or directory"),
                     qPrintable(run.err));
        }
    }

    void reminderGoesToStandardErrorWithSuccess() {
        const Run run = Export({kData + "/short-undivided.csv", "-o", "-"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString("Please Enter Project Number and Control Number\n"));
        QVERIFY(!run.out.isEmpty());
    }

    void stoppedRunsExitWithOne_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
            << QStringList{kData + "/no-such-file.csv"} << "occured in GpkBlueTops";
        QTest::newRow("not csv") << QStringList{kData + "/short-undivided.txt"} << ".csv";
        QTest::newRow("empty distance")
            << QStringList{kData + "/short-undivided.csv", "--left-offset", ""}
            << "Please Enter Left offset distance";
        QTest::newRow("distance not a number")
            << QStringList{kData + "/short-undivided.csv", "--right-offset", "x"}
            << "Right offset distance must be a number";
    }
    void stoppedRunsExitWithOne() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run =
            Export(arguments + QStringList{"-o", "-", "--project", "1", "--control", "2"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void wrongCommandLinesExitWithTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no output") << QStringList{kData + "/short-undivided.csv"};
        QTest::newRow("unknown point type")
            << QStringList{kData + "/short-undivided.csv", "-o", "-", "--points", "cl,kerb"};
        QTest::newRow("page too small")
            << QStringList{kData + "/short-undivided.csv", "-o", "-", "--page", "40x20"};
        QTest::newRow("bad date") << QStringList{kData + "/short-undivided.csv", "-o", "-",
                                                 "--date", "06/12/2026"};
        QTest::newRow("bad paper")
            << QStringList{kData + "/short-undivided.csv", "-o", "-", "--paper", "tabloid"};
    }
    void wrongCommandLinesExitWithTwo() {
        QFETCH(QStringList, arguments);
        const Run run = Export(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
    }

    // Books checked by hand against the layout rules (header and page number
    // lines, blocks of six lines from line 7, cells at columns 36, 56 and 76,
    // slopes three characters before the end of the elevation-and-offset text).
    void booksMatchTheirCheckedCopies_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("golden");
        QTest::newRow("undivided") << QStringList{CORVANE_SAMPLES "/undivided-sample.csv",
                                                  "--project", "US 441", "--control", "1107-12"}
                                   << "undivided-sample.txt";
        QTest::newRow("divided, filtered, offset points")
            << QStringList{CORVANE_SAMPLES "/divided-sample.csv",
                           "--project",
                           "SR 9B",
                           "--control",
                           "2045-03",
                           "--points",
                           "offset,eop,jl",
                           "--left-offset",
                           "2",
                           "--right-offset",
                           "3",
                           "--right-from",
                           "centerline"}
            << "divided-sample-offsets.txt";
    }
    void booksMatchTheirCheckedCopies() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, golden);
        const Run run = Export(arguments + QStringList{"-o", "-", "--date", "2026-12-06"});
        QCOMPARE(run.exitCode, 0);
        QFile expected(kData + "/golden/" + golden);
        QVERIFY(expected.open(QIODevice::ReadOnly));
        const QList<QByteArray> want = expected.readAll().split('\n');
        const QList<QByteArray> got = run.out.split('\n');
        for (qsizetype line = 0; line < std::min(want.size(), got.size()); ++line)
            QVERIFY2(want[line] == got[line], qPrintable(QString("line %1: expected '%2', got '%3'")
                                                             .arg(line + 1)
                                                             .arg(QString::fromUtf8(want[line]),
                                                                  QString::fromUtf8(got[line]))));
        QCOMPARE(got.size(), want.size());
    }

    void legalPageHoldsMoreLines() {
        const Run run = Export({kData + "/sr60-undivided.csv", "-o", "-", "--page", "96x81",
                                "--project", "1", "--control", "2"});
        QCOMPARE(run.exitCode, 0);
        for (const QByteArray& page : Pages(run.out))
            QCOMPARE(page.count('\n'), 81);
    }

    void pointListKeepsOnlyThoseTypes() {
        const Run run = Export({kData + "/short-undivided.csv", "-o", "-", "--points", "cl",
                                "--project", "1", "--control", "2"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("CL"));
        QVERIFY(!run.out.contains("BOC"));
        QVERIFY(!run.out.contains("JL"));
    }
};

QTEST_GUILESS_MAIN(ExportTest)
#include "export_test.moc"
