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

// One run of the program in a folder holding grades.csv (a report), copies of
// it as grades.txt and grades.Csv.old, an old book.txt and old.pdf, and
// full.pdf, a link to /dev/full.
struct Case {
    QStringList arguments;
    int exitCode = 0;
    QString out = "^$";  // a pattern the whole standard output matches
    QString err = "^$";  // likewise standard error
    // Before the run the output is made a "fifo" (read by cat), a "symbolic"
    // or "hard" link to grades.csv; "limit" lets no file grow past 1 KiB, as on
    // a full disk; "full" sends standard output to /dev/full.
    QString setUp = {};
};

}  // namespace

Q_DECLARE_METATYPE(Case)

namespace {

const QString kData = CORVANE_TEST_DATA;
const QStringList kNumbers{"--project", "1", "--control", "2"};
const QString kReminder = "Please Enter Project Number and Control Number\n";

// Whole pages of this many right-trimmed lines, each page ended by a form feed
// line; the first has the header, its page number and a station.
QString Book(int lines = 63) {
    return QString(R"(^(?=[^\f]*PAVE-GRADES)(?=[^\f]*Page No\.:1)(?=[^\f]*Sec\. Sta\.))"
                   R"((?:(?:(?:[^\n\f]*[^ \n\f])?\n){%1}\f\n)+$)")
        .arg(lines);
}

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run Corvane(const QStringList& arguments, const QString& folder = {}, const QString& setUp = {},
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    if (setUp == "full")
        process.setStandardOutputFile("/dev/full");
    if (setUp == "limit")
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

struct Folder {
    QTemporaryDir dir;
    Folder() {
        for (const char* copy : {"grades.csv", "grades.txt", "grades.Csv.old"})
            QFile::copy(kData + "/short-undivided.csv", dir.filePath(copy));
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
    // Every name with its bytes (links as their targets, a pipe unread).
    QMap<QString, QByteArray> Contents() const {
        QMap<QString, QByteArray> contents;
        for (const QFileInfo& entry : QDir(dir.path()).entryInfoList(QDir::Files | QDir::System))
            contents[entry.fileName()] = entry.isSymLink() ? entry.symLinkTarget().toUtf8()
                                         : entry.isFile()  ? Read(entry.fileName())
                                                           : "a pipe";
        return contents;
    }
};

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
    void runs_data() {
        QTest::addColumn<Case>("run");
        const QString noDisplay = "^corvane: .*DISPLAY.*WAYLAND_DISPLAY.*`corvane export .*\n$";
        const QStringList exportTo{"export", "grades.csv", "-o", "-"};
        const QStringList toNew = QStringList{"export", "grades.csv", "-o", "new.txt"} + kNumbers;
        const QString full = "^[^\n]*No space left on device\\.?\n$";
        const QString range = R"(.*88\.5.*1000.*61\.5.*105\.5)";
        const QList<std::pair<const char*, Case>> rows{
            {"help", {{"--help"}, 0, R"((?s)^Usage: .*\[FILE\.csv\].*\n  corvane export \S.*)"}},
            {"version", {{"--version"}, 0, R"(^corvane \d+\.\d+\.\d+\n$)", "^$"}},
            {"window", {{}, 1, "^$", noDisplay}},
            {"window with a file", {{"grades.csv"}, 1, "^$", noDisplay}},
            {"unknown option", {{"--bogus"}, 2, "^$", "(?s)^Unknown option 'bogus'.*--help"}},
            {"two files", {{"a.csv", "b.csv"}, 2, "^$", ".+"}},
            {"export help", {{"export", "--help"}, 0, "(?s).*--project", "^$"}},
            {"reminder", {exportTo, 0, Book(), "^" + kReminder + "$"}},
            {"points",
             {exportTo + kNumbers + QStringList{"--points", "cl"}, 0,
              R"(^(?![\s\S]*BOC)(?![\s\S]*JL)[\s\S]*CL)", "^$"}},
            {"not csv, after the reminder",
             {{"export", "grades.txt", "-o", "-"},
              1,
              "^$",
              "^" + kReminder + "Not .*contain \\.csv.*: grades\\.txt\n$"}},
            {".csv inside the name", {{"export", "grades.Csv.old", "-o", "-"}, 0, Book(), ".+"}},
            {"empty distance",
             {exportTo + kNumbers + QStringList{"--left-offset", ""}, 1, "^$",
              "^Please Enter Left offset distance\n$"}},
            {"distance no number",
             {exportTo + kNumbers + QStringList{"--right-offset", "x"}, 1, "^$",
              "^Right offset distance must be a number\n$"}},
            {"no output", {{"export", "grades.csv"}, 2, "^$", ".+"}},
            {"unknown point type", {exportTo + QStringList{"--points", "cl,kerb"}, 2, "^$", ".+"}},
            {"bad date", {exportTo + QStringList{"--date", "06/12/2026"}, 2, "^$", ".+"}},
            {"bad paper", {exportTo + QStringList{"--paper", "tabloid"}, 2, "^$", ".+"}},
            // The edges of the pages the book fits on, and the pages just beyond them.
            {"narrowest, shortest",
             {exportTo + kNumbers + QStringList{"--page", "88.5x61.5"}, 0, Book(62)}},
            {"legal", {exportTo + kNumbers + QStringList{"--page", "96x81"}, 0, Book(81), "^$"}},
            {"tallest", {exportTo + kNumbers + QStringList{"--page", "96x105.4"}, 0, Book(105)}},
            {"too narrow", {toNew + QStringList{"--page", "88.4x63"}, 2, "^$", "88.4x63" + range}},
            {"too short", {toNew + QStringList{"--page", "96x61.4"}, 2, "^$", "96x61.4" + range}},
            {"too tall", {toNew + QStringList{"--page", "96x105.5"}, 2, "^$", "96x105.5" + range}},
            {"too wide", {toNew + QStringList{"--page", "1001x70"}, 2, "^$", "1001x70" + range}},
            // The output is never the input and is written whole or not at all.
            {"replaces a file", {{"export", "grades.csv", "-o", "book.txt"}, 0, "^$", ".+"}},
            {"pipe in place", {toNew, 0, "^$", "^$", "fifo"}},
            {"input, dot slash",
             {{"export", "grades.csv", "-o", "./grades.csv"},
              2,
              "^$",
              "^[^\n]*\\./grades\\.csv[^\n]*\n$"}},
            {"input, symbolic link", {toNew, 2, "^$", "^[^\n]*new\\.txt[^\n]*\n$", "symbolic"}},
            {"input, hard link", {toNew, 2, "^$", "^[^\n]*new\\.txt[^\n]*\n$", "hard"}},
            {"input, pdf link",
             {QStringList{"export", "grades.csv", "-o", "new.pdf"}, 2, "^$",
              "^[^\n]*new\\.pdf[^\n]*\n$", "symbolic"}},
            {"device full",
             {QStringList{"export", "grades.csv", "-o", "/dev/full"} + kNumbers, 1, "^$", full}},
            {"standard output full", {exportTo + kNumbers, 1, "^$", full, "full"}},
            {"pdf on a full device",
             {QStringList{"export", "grades.csv", "-o", "full.pdf"} + kNumbers, 1, "^$", full}},
            {"replacement fails",
             {QStringList{"export", "grades.csv", "-o", "book.txt"} + kNumbers, 1, "^$",
              "^[^\n]*File too large\\.?\n$", "limit"}},
            {"pdf replacement fails",
             {QStringList{"export", "grades.csv", "-o", "old.pdf"} + kNumbers, 1, "^$",
              "^[^\n]*File too large\\.?\n$", "limit"}},
        };
        for (const auto& [name, run] : rows)
            QTest::newRow(name) << run;
    }
    void runs() {
        QFETCH(Case, run);
        Folder folder;
        const qsizetype o = run.arguments.indexOf("-o");
        const QString output = o < 0 ? QString() : run.arguments.value(o + 1);
        const QString path = QDir(folder.dir.path()).filePath(output);
        QProcess reader;
        if (run.setUp == "symbolic")
            QVERIFY(QFile::link("grades.csv", path));
        if (run.setUp == "hard")
            QCOMPARE(QProcess::execute("ln", {folder.dir.filePath("grades.csv"), path}), 0);
        if (run.setUp == "fifo") {
            QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
            reader.start("cat", {path});
        }
        auto before = folder.Contents();

        const Run ran = Corvane(run.arguments, folder.dir.path(), run.setUp);

        QCOMPARE(ran.exitCode, run.exitCode);
        QVERIFY2(QRegularExpression(run.out).match(ran.out).hasMatch(), ran.out.left(300).data());
        QVERIFY2(QRegularExpression(run.err).match(ran.err).hasMatch(), qPrintable(ran.err));
        if (run.setUp == "fifo") {
            QVERIFY(reader.waitForFinished(30000));
            QVERIFY(reader.readAllStandardOutput().endsWith("\f\n"));
        } else if (run.exitCode == 0 && !output.isEmpty() && output != "-") {
            QVERIFY(folder.Read(output).endsWith("\f\n"));
            before[output] = folder.Read(output);
        }
        // A refused or failed export leaves every file as it was.
        QCOMPARE(folder.Contents(), before);
    }

    // A platform chosen outright needs no display: the window opens and
    // waits for its user instead of refusing.
    void chosenPlatformOpensTheWindow() {
        QProcess process;
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
        QTest::newRow("undivided")
            << QStringList{"undivided-sample.csv", "--project", "US 441", "--control", "1107-12"}
            << "undivided-sample.txt";
        QTest::newRow("divided, filtered, offset points") << QStringList{"divided-sample.csv",
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
        arguments[0] = CORVANE_SAMPLES "/" + arguments[0];
        const Run run =
            Corvane(QStringList{"export", "-o", "-", "--date", "2026-12-06"} + arguments);
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

    void pdfHoldsTheSamePagesAsTheTextForm() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        Folder folder;
        const QStringList common =
            QStringList{"export", kData + "/sr60-undivided.csv", "--date", "2026-12-06"} + kNumbers;
        const auto pages = Corvane(common + QStringList{"-o", "-"}).out.count("\f\n");
        const QString pdf = folder.dir.filePath("new.pdf");
        QCOMPARE(Corvane(common + QStringList{"-o", pdf}).exitCode, 0);
        const QString info = Pdf("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression(QString(R"(Pages:\s+%1\n)").arg(pages))),
                 qPrintable(info));
        const QString number = QString::number(pages);
        const QString last = Pdf("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"});
        for (const QString& shown : QStringList{"Project No: 1", "PAVE-GRADES", "Date: 12 06 2026",
                                                QString("Page No.:%1 of %1").arg(pages)})
            QVERIFY2(last.contains(shown), qPrintable(last));
    }

    // LeakSanitizer, preloaded, fails a run that ends with memory still held.
    void successfulExportsFreeEverything() {
        Folder folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", "liblsan.so.0");
        for (const QString output : {"new.txt", "new.pdf"}) {
            const Run run = Corvane(QStringList{"export", "grades.csv", "-o", output} + kNumbers,
                                    folder.dir.path(), {}, environment);
            if (run.err.contains("cannot be preloaded") || run.err.contains("does not come first"))
                QSKIP("LeakSanitizer cannot be preloaded here");
            QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), qPrintable(run.err));
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
