// The program as a script runs it, on a machine without a display: the window
// form's help and refusals, and `corvane export` with its books, messages,
// exit statuses and output files.
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>

namespace {

const QString kData = CORVANE_TEST_DATA;
const QStringList kNumbers{"--project", "1", "--control", "2"};

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// A folder holding a copy of a report as grades.csv and what an export may
// find at its output.
struct Folder {
    QTemporaryDir dir;
    Folder() {
        QFile::copy(kData + "/short-undivided.csv", dir.filePath("grades.csv"));
        Write("book.txt", "old book\n");
        Write("old.pdf", "old pdf\n");
        QFile::link("/dev/full", dir.filePath("full.pdf"));
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
    }
    // Every name in the folder with its bytes (links as their targets, a pipe unread).
    QMap<QString, QByteArray> Contents() const {
        QMap<QString, QByteArray> contents;
        for (const QFileInfo& entry : QDir(dir.path()).entryInfoList(QDir::Files | QDir::System))
            contents[entry.fileName()] = entry.isSymLink() ? entry.symLinkTarget().toUtf8()
                                         : entry.isFile()  ? Read(entry.fileName())
                                                           : "a pipe";
        return contents;
    }
};

// Runs the program in a folder. limitFileSize lets no file there grow past
// 1 KiB, so the book's last write fails as on a full disk.
Run Corvane(const QStringList& arguments, const QString& folder = {}, bool limitFileSize = false,
            const QString& standardOutput = {},
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    if (limitFileSize)
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    process.start(CORVANE_BINARY, arguments);
    process.waitForFinished(60000);
    return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
               process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

// The pages of the text form: each ends with a line holding only a form feed.
QList<QByteArray> Pages(QByteArray text) {
    QList<QByteArray> pages = text.replace("\f\n", "\f").split('\f');
    pages.removeLast();  // empty: the book ends with a form feed line
    return pages;
}

QString Pdf(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    // Standard output and error each match a pattern as a whole.
    void answers_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString noDisplay = "^corvane: .*DISPLAY.*WAYLAND_DISPLAY.*`corvane export .*\n$";
        const QString book = "(?s)^.*PAVE-GRADES.*\f\n$";
        const QString reminder = "Please Enter Project Number and Control Number\n";
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << R"((?s)^Usage: .*\[FILE\.csv\].*\n  corvane export \S.*--help.*)"
                              << "^$";
        QTest::newRow("version") << QStringList{"--version"} << 0 << R"(^corvane \d+\.\d+\.\d+\n$)"
                                 << "^$";
        QTest::newRow("window") << QStringList{} << 1 << "^$" << noDisplay;
        QTest::newRow("window, file") << QStringList{"grades.csv"} << 1 << "^$" << noDisplay;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "^$"
                                        << "(?s)^Unknown option 'bogus'.*--help.*";
        QTest::newRow("two files") << QStringList{"a.csv", "b.csv"} << 2 << "^$"
                                   << ".+";
        QTest::newRow("export help") << QStringList{"export", "--help"} << 0 << "(?s).*--project.*"
                                     << "^$";
        const QStringList exportTo{"export", "grades.csv", "-o", "-"};
        QTest::newRow("reminder") << exportTo << 0 << book << "^" + reminder + "$";
        QTest::newRow("points") << exportTo + kNumbers + QStringList{"--points", "cl"} << 0
                                << "(?s)^(?!.*BOC)(?!.*JL).*CL.*"
                                << "^$";
        QTest::newRow("missing file")
            << QStringList{"export", "none.csv", "-o", "-"} + kNumbers << 1 << "^$"
            << "occured in GpkBlueTops";
        QTest::newRow("not csv, after the reminder")
            << QStringList{"export", "grades.txt", "-o", "-"} << 1 << "^$"
            << "^" + reminder + "Not .*contain \\.csv.*: grades\\.txt\n$";
        QTest::newRow(".csv inside the name") << QStringList{"export", "grades.Csv.old", "-o", "-"}
                                              << 0 << book << "^" + reminder + "$";
        QTest::newRow("empty distance")
            << exportTo + kNumbers + QStringList{"--left-offset", ""} << 1 << "^$"
            << "^Please Enter Left offset distance\n$";
        QTest::newRow("distance no number")
            << exportTo + kNumbers + QStringList{"--right-offset", "x"} << 1 << "^$"
            << "^Right offset distance must be a number\n$";
        for (const QStringList& wrong : {QStringList{"export", "grades.csv"},
                                         {"--points", "cl,kerb"},
                                         {"--page", "40x20"},
                                         {"--date", "06/12/2026"},
                                         {"--paper", "tabloid"}})
            QTest::newRow(qPrintable("wrong: " + wrong.join(' ')))
                << (wrong.first() == "export" ? wrong : exportTo + wrong) << 2 << "^$"
                << ".+";
    }
    void answers() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        Folder folder;
        for (const char* copy : {"grades.txt", "grades.Csv.old"})
            QFile::copy(folder.dir.filePath("grades.csv"), folder.dir.filePath(copy));
        const Run run = Corvane(arguments, folder.dir.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QRegularExpression(out).match(run.out).hasMatch(), run.out.left(200).data());
        QVERIFY2(QRegularExpression(err).match(run.err).hasMatch(), qPrintable(run.err));
    }

    // A platform chosen outright needs no display: the window opens and
    // waits for its user instead of refusing.
    void chosenPlatformOpensTheWindow() {
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        process.start(CORVANE_BINARY, QStringList{});  // CTest chooses offscreen
        QVERIFY(process.waitForStarted());
        const bool ended = process.waitForFinished(3000);
        process.kill();
        process.waitForFinished();
        QVERIFY2(!ended, qPrintable(QString::fromUtf8(process.readAllStandardError())));
    }

    // Books checked by hand against the layout rules.
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
        const Run run = Corvane(QStringList{"export"} + arguments +
                                QStringList{"-o", "-", "--date", "2026-12-06"});
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

    // The edges of the accepted pages make books of as many lines a page as
    // the page holds; the pages just beyond them are refused with the page
    // and the range named, and no book is written.
    void pageRangeEdges_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("lines");  // 0: refused
        QTest::newRow("narrowest and shortest") << "88.5x61.5" << 62;
        QTest::newRow("legal") << "96x81" << 81;
        QTest::newRow("tallest") << "96x105.4" << 105;
        QTest::newRow("too narrow") << "88.4x63" << 0;
        QTest::newRow("too short") << "96x61.4" << 0;
        QTest::newRow("too tall") << "96x105.5" << 0;
        QTest::newRow("too wide") << "1001x70" << 0;
    }
    void pageRangeEdges() {
        QFETCH(QString, page);
        QFETCH(int, lines);
        Folder folder;
        const Run run =
            Corvane(QStringList{"export", "grades.csv", "-o", "new.txt", "--page", page} + kNumbers,
                    folder.dir.path());
        if (lines == 0) {
            QCOMPARE(run.exitCode, 2);
            for (const QString& text : QStringList{page, "88.5", "1000", "61.5", "105.5"})
                QVERIFY2(run.err.contains(text), qPrintable(run.err));
            QVERIFY(!QFile::exists(folder.dir.filePath("new.txt")));
            return;
        }
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> pages = Pages(folder.Read("new.txt"));
        QVERIFY(!pages.isEmpty());
        for (const QByteArray& text : pages) {
            QCOMPARE(text.count('\n'), lines);
            QVERIFY2(!text.contains(" \n"), "lines are right-trimmed");
        }
        // On half-line pages the date may share the page number's line and cover its end.
        for (const char* text : {"Project No: 1", "Page No.:1", "Sec. Sta."})
            QVERIFY(pages.first().contains(text));
    }

    void pdfHoldsTheSamePagesAsTheTextForm() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        Folder folder;
        const QStringList common =
            QStringList{"export", kData + "/sr60-undivided.csv", "--date", "2026-12-06"} + kNumbers;
        const Run text = Corvane(common + QStringList{"-o", "-"});
        const QString pdf = folder.dir.filePath("new.pdf");
        QCOMPARE(Corvane(common + QStringList{"-o", pdf}).exitCode, 0);
        const auto pages = Pages(text.out).size();
        const QString info = Pdf("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression(QString(R"(Pages:\s+%1\n)").arg(pages))),
                 qPrintable(info));
        const QString number = QString::number(pages);
        const QString last = Pdf("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"});
        for (const QString& shown : QStringList{"Project No: 1", "PAVE-GRADES", "Date: 12 06 2026",
                                                QString("Page No.:%1 of %1").arg(pages)})
            QVERIFY2(last.contains(shown), qPrintable(last));
    }

    // The output is never the input, and is written whole or not at all: a
    // failed or refused export leaves the folder exactly as it was.
    void outputFiles_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>(
            "setUp");  // "symbolic" or "hard": output is made a link to the input
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("limitFileSize");
        QTest::addColumn<QString>("standardOutput");
        QTest::newRow("replaces a file") << "book.txt"
                                         << "" << 0 << "" << false << "";
        QTest::newRow("pipe in place") << "book.fifo"
                                       << "fifo" << 0 << "" << false << "";
        QTest::newRow("input, dot slash") << "./grades.csv"
                                          << "" << 2 << "" << false << "";
        QTest::newRow("input, symbolic") << "link.txt"
                                         << "symbolic" << 2 << "" << false << "";
        QTest::newRow("input, hard link") << "hard.txt"
                                          << "hard" << 2 << "" << false << "";
        QTest::newRow("input, pdf link") << "grades.pdf"
                                         << "symbolic" << 2 << "" << false << "";
        const QString full = "No space left on device";
        QTest::newRow("device full") << "/dev/full"
                                     << "" << 1 << full << false << "";
        QTest::newRow("standard output full") << "-"
                                              << "" << 1 << full << false << "/dev/full";
        QTest::newRow("pdf on a full device") << "full.pdf"
                                              << "" << 1 << full << false << "";
        const QString missing = "No such file or directory";
        QTest::newRow("folder missing") << "missing/book.txt"
                                        << "" << 1 << missing << false << "";
        QTest::newRow("pdf folder missing") << "missing/b.pdf"
                                            << "" << 1 << missing << false << "";
        const QString large = "File too large";
        QTest::newRow("replacement fails") << "book.txt"
                                           << "" << 1 << large << true << "";
        QTest::newRow("pdf replacement fails") << "old.pdf"
                                               << "" << 1 << large << true << "";
    }
    void outputFiles() {
        QFETCH(QString, output);
        QFETCH(QString, setUp);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);
        QFETCH(bool, limitFileSize);
        QFETCH(QString, standardOutput);
        Folder folder;
        const QString path = QDir(folder.dir.path()).filePath(output);  // an absolute path stays
        QProcess reader;
        if (setUp == "symbolic")
            QVERIFY(QFile::link("grades.csv", path));
        if (setUp == "hard")
            QCOMPARE(QProcess::execute("ln", {folder.dir.filePath("grades.csv"), path}), 0);
        if (setUp == "fifo") {
            QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
            reader.start("cat", {path});
        }
        auto before = folder.Contents();

        const Run run =
            Corvane({"export", "grades.csv", "-o", output, "--project", "1", "--control", "2"},
                    folder.dir.path(), limitFileSize, standardOutput);

        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0) {
            QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
            if (setUp == "fifo") {
                QVERIFY(reader.waitForFinished(30000));
                QVERIFY(reader.readAllStandardOutput().endsWith("\f\n"));
                QVERIFY(!QFileInfo(path).isFile());
                return;
            }
            QVERIFY(folder.Read(output).endsWith("\f\n"));
            before[output] = folder.Read(output);
        } else if (exitCode == 2) {
            QVERIFY2(run.err.contains(output) && !run.err.contains("Please Enter"),
                     qPrintable(run.err));  // refused before the run
        } else {
            QVERIFY2(run.err.contains(reason) && run.err.count('\n') == 1, qPrintable(run.err));
        }
        QCOMPARE(folder.Contents(), before);
    }

    // LeakSanitizer, preloaded, fails a run that ends with memory still held.
    void successfulExportsFreeEverything() {
        Folder folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", "liblsan.so.0");
        for (const QString output : {"new.txt", "new.pdf"}) {
            const Run run =
                Corvane({"export", "grades.csv", "-o", output, "--project", "1", "--control", "2"},
                        folder.dir.path(), false, {}, environment);
            if (run.err.contains("cannot be preloaded") || run.err.contains("does not come first"))
                QSKIP("LeakSanitizer cannot be preloaded here");
            QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), qPrintable(run.err));
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
