// `corvane export` as a user runs it: the binary, its files, its messages and exit status.
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>

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

// --- The output file: never the input, written whole or not at all ---------

// A folder holding a copy of a report and what an export may find at its output.
struct OutputFolder {
    QTemporaryDir dir;
    QString input = dir.filePath("grades.csv");

    OutputFolder() {
        QFile::copy(kData + "/short-undivided.csv", input);
        WriteFile("book.txt", "old book\n");
        WriteFile("old.pdf", "old pdf\n");
        QFile::link("/dev/full", dir.filePath("full.pdf"));
    }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Every name in the folder with its bytes (links as their targets).
    QMap<QString, QByteArray> Contents() const {
        QMap<QString, QByteArray> contents;
        for (const QFileInfo& entry : QDir(dir.path()).entryInfoList(QDir::Files | QDir::System)) {
            QFile file(entry.filePath());
            contents[entry.fileName()] =
                entry.isSymLink() ? entry.symLinkTarget().toUtf8()
                                  : (file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
        }
        return contents;
    }
};

// Runs the export in a folder; limitFileSize lets no file there grow past 1 KiB,
// so the book's last write fails as on a full disk.
Run ExportIn(const QString& folder, const QStringList& arguments, bool limitFileSize = false,
             const QString& standardOutput = {}) {
    QProcess process;
    process.setWorkingDirectory(folder);
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    if (limitFileSize)
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    process.start(CORVANE_BINARY, QStringList{"export"} + arguments);
    process.waitForFinished(60000);
    return Run{process.exitCode(), process.readAllStandardOutput(),
               QString::fromUtf8(process.readAllStandardError())};
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

    // The edges of the accepted pages make books; the pages just beyond them
    // are refused with the page and the range named, and no book is written.
    void pageRangeEdges_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("narrowest and shortest") << "88.5x61.5" << true;
        QTest::newRow("tallest") << "96x105.4" << true;
        QTest::newRow("too narrow") << "88.4x63" << false;
        QTest::newRow("too short") << "96x61.4" << false;
        QTest::newRow("too tall") << "96x105.5" << false;
        QTest::newRow("too wide") << "1001x70" << false;
    }
    void pageRangeEdges() {
        QFETCH(QString, page);
        QFETCH(bool, accepted);
        QTemporaryDir folder;
        QFile book(folder.filePath("book.txt"));
        const Run run = Export({kData + "/short-undivided.csv", "-o", book.fileName(), "--page",
                                page, "--project", "1", "--control", "2"});
        if (!accepted) {
            QCOMPARE(run.exitCode, 2);
            const QStringList named{page, "88.5", "1000", "61.5", "105.5"};
            for (const QString& text : named)
                QVERIFY2(run.err.contains(text), qPrintable(run.err));
            QVERIFY(!book.exists());
            return;
        }
        QCOMPARE(run.exitCode, 0);
        QVERIFY(book.open(QIODevice::ReadOnly));
        const QList<QByteArray> pages = Pages(book.readAll());
        QVERIFY(!pages.isEmpty());
        QVERIFY(pages.first().contains("Project No: 1"));
        // On half-line pages the date may share the page number's line and cover its end.
        QVERIFY(pages.first().contains("Page No.:1"));
        QVERIFY(pages.first().contains("Sec. Sta."));
    }

    void pointListKeepsOnlyThoseTypes() {
        const Run run = Export({kData + "/short-undivided.csv", "-o", "-", "--points", "cl",
                                "--project", "1", "--control", "2"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("CL"));
        QVERIFY(!run.out.contains("BOC"));
        QVERIFY(!run.out.contains("JL"));
    }

    // --- The output file: never the input, written whole or not at all -----

    void outputThatIsTheInputIsRefused_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("link");  // "symbolic" or "hard": output is made a link
        QTest::newRow("dot slash") << "./grades.csv"
                                   << "";
        QTest::newRow("symbolic link") << "grades-link.txt"
                                       << "symbolic";
        QTest::newRow("hard link") << "grades-hard.txt"
                                   << "hard";
        QTest::newRow("symbolic link as pdf") << "grades.pdf"
                                              << "symbolic";
    }
    void outputThatIsTheInputIsRefused() {
        QFETCH(QString, output);
        QFETCH(QString, link);
        OutputFolder folder;
        const QString path = folder.dir.filePath(output);
        if (link == "symbolic")
            QVERIFY(QFile::link("grades.csv", path));
        if (link == "hard")
            QCOMPARE(QProcess::execute("ln", {folder.input, path}), 0);
        const auto before = folder.Contents();

        const Run run = ExportIn(folder.dir.path(),
                                 {"grades.csv", "-o", output, "--project", "1", "--control", "2"});

        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(output), qPrintable(run.err));
        QVERIFY(!run.err.contains("Please Enter"));  // refused before the run
        QCOMPARE(folder.Contents(), before);
    }

    void failedWritesExitWithOneAndLeaveTheFolderAsItWas_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("limitFileSize");
        QTest::addColumn<QString>("standardOutput");
        QTest::newRow("device full") << "/dev/full"
                                     << "No space left on device" << false << "";
        QTest::newRow("standard output full") << "-"
                                              << "No space left on device" << false << "/dev/full";
        QTest::newRow("pdf on a full device") << "full.pdf"
                                              << "No space left on device" << false << "";
        QTest::newRow("folder missing") << "missing/book.txt"
                                        << "No such file or directory" << false << "";
        QTest::newRow("last write of a replacement fails") << "book.txt"
                                                           << "File too large" << true << "";
        QTest::newRow("pdf replacement fails") << "old.pdf"
                                               << "File too large" << true << "";
    }
    void failedWritesExitWithOneAndLeaveTheFolderAsItWas() {
        QFETCH(QString, output);
        QFETCH(QString, reason);
        QFETCH(bool, limitFileSize);
        QFETCH(QString, standardOutput);
        OutputFolder folder;
        const auto before = folder.Contents();

        const Run run = ExportIn(folder.dir.path(),
                                 {"grades.csv", "-o", output, "--project", "1", "--control", "2"},
                                 limitFileSize, standardOutput);

        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QCOMPARE(run.err.count('\n'), 1);
        QCOMPARE(folder.Contents(), before);
    }

    // The project/control reminder first, as in the window; then the name stops
    // the run. Any letter case of ".csv" anywhere in the name passes.
    void fileNameWithoutCsvRemindsThenStops() {
        OutputFolder folder;
        QVERIFY(QFile::copy(folder.input, folder.dir.filePath("grades.txt")));
        QVERIFY(QFile::copy(folder.input, folder.dir.filePath("grades.Csv.old")));

        const Run refused = ExportIn(folder.dir.path(), {"grades.txt", "-o", "-"});
        QCOMPARE(refused.exitCode, 1);
        const QStringList lines = refused.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("Please Enter Project Number and Control Number"));
        QVERIFY2(lines[1].contains("contain .csv") && lines[1].endsWith("grades.txt"),
                 qPrintable(lines[1]));
        QVERIFY(refused.out.isEmpty());

        const Run accepted = ExportIn(folder.dir.path(), {"grades.Csv.old", "-o", "-"});
        QCOMPARE(accepted.exitCode, 0);
        QVERIFY(accepted.out.contains("PAVE-GRADES"));
    }

    // LeakSanitizer, preloaded, fails a run that ends with memory still held.
    void successfulExportsFreeEverything() {
        OutputFolder folder;
        for (const QString output : {"book.txt", "book.pdf"}) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("LD_PRELOAD", "liblsan.so.0");
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(folder.dir.path());
            process.start(CORVANE_BINARY, {"export", "grades.csv", "-o", output, "--project", "1",
                                           "--control", "2"});
            QVERIFY(process.waitForFinished(60000));
            const QString err = QString::fromUtf8(process.readAllStandardError());
            if (err.contains("cannot be preloaded") || err.contains("does not come first"))
                QSKIP("LeakSanitizer cannot be preloaded here");
            QVERIFY2(process.exitCode() == 0 && err.isEmpty(), qPrintable(err));
        }
    }
};

QTEST_GUILESS_MAIN(ExportTest)
#include "export_test.moc"
