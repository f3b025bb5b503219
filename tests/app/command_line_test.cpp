// The program as a script runs it, without a display: the window form's help and refusals, and
// `corvane export` with its books, messages, exit statuses and output files, for odd input files.
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "run_corvane.h"

// One run of the program in a folder holding grades.csv (a report), copies of it as grades.txt
// and grades.Csv.old, an old book.txt and old.pdf, and full.pdf, a link to /dev/full.
struct Case {
    QStringList arguments;
    int exitCode = 0;
    QString out = "^$";  // a pattern the whole standard output matches
    QString err = "^$";  // likewise standard error
    // The output is made a "fifo" (read by cat), a "symbolic" or "hard" link to grades.csv;
    // "limit" lets no file grow past 1 KiB; "full" sends standard output to /dev/full.
    QString setUp = {};
};
Q_DECLARE_METATYPE(Case)

namespace {

const QString kData = CORVANE_TEST_DATA;
const QStringList kNumbers{"--project", "1", "--control", "2"};
const QString kReminder = "Please Enter Project Number and Control Number\n";

// Whole pages of this many right-trimmed lines, each ended by a form feed line; the first has
// the header, its page number and a station.
QString Book(int lines = 63) {
    return QString(R"(^(?=[^\f]*PAVE-GRADES)(?=[^\f]*Page No\.:1)(?=[^\f]*Sec\. Sta\.))"
                   R"((?:(?:(?:[^\n\f]*[^ \n\f])?\n){%1}\f\n)+$)")
        .arg(lines);
}

struct Folder {
    QTemporaryDir dir;
    Folder() {
        for (const char* copy : {"grades.csv", "grades.txt", "grades.Csv.old"})
            QFile::copy(kData + "/short-undivided.csv", dir.filePath(copy));
        for (const char* old : {"book.txt", "old.pdf"})
            QVERIFY(WriteFile(dir.filePath(old), "old\n"));
        QFile::link("/dev/full", dir.filePath("full.pdf"));
    }
};

const QByteArray kSeparator = ",,,,,,,,,,,\n";
const QByteArray kTerminator = ",,,,,,,,,,,,,,,\n";

QByteArray Header(const QByteArray& roadway) {
    return " PAVING GRADES REPORT,,,,,,,,,,,\nJob 7,Chain A,,,,,,,,,,\n" + roadway +
           ",,,,,,,,,,,\n";
}
const auto Undivided = [](const QByteArray& rows) { return Header("UNDIVIDED") + rows; };
QByteArray Divided(const QByteArray& rows) {
    return Header("DIVIDED") + "Chain,Station,,Kind,Text,XS Station,N,E,Side,Code,Offset,Elev\n" +
           rows;
}
const auto Station = [](int station) { return QByteArray::number(station) + "+00"; };
QByteArray PointRow(int station, const QByteArray& offset = "-12.0",
                    const QByteArray& elevation = "10.50") {
    return "C," + Station(station) + ",PT,,PGL," + Station(station) + ",1,2,,EOP," + offset + "," +
           elevation + "\n";
}
// A divided point row; point p of a side lies p + 10 feet out, 20.5 + p high.
QByteArray SideRow(const QByteArray& side, int station, int point, const QByteArray& marker = {}) {
    const QByteArray offset = QByteArray::number(side == "LEFT" ? -10 - point : 10 + point);
    return "C," + Station(station) + ",,PT,PGL," + Station(station) + ",1,2," +
           (marker.isNull() ? side : marker) + ",P" + QByteArray::number(point) + "," + offset +
           "," + QByteArray::number(20 + point) + ".5\n";
}
QByteArray Repeat(int count, const std::function<QByteArray(int)>& row) {
    QByteArray rows;
    for (int i = 0; i < count; ++i)
        rows += row(i);
    return rows;
}
QByteArray DividedStation(int station) {
    return SideRow("LEFT", station, 0) + kTerminator + SideRow("RIGHT", station, 0) + kTerminator;
}

// Where the input and the output are, besides a plain file and a book beside it.
enum Place {
    PlainFile,
    FolderAsFile,
    MissingFile,
    UnreadableFile,      // as an unprivileged user
    UnwritableFolder,    // as an unprivileged user; the old book in it may be written
    MissingFolder,       // the output's folder does not exist
    MissingFolderForPdf  // the same for a PDF
};

const QStringList kAsNobody{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};

// Root passes every permission check; only another user can meet a refusal.
QString WhyNoUnprivilegedRun() {
    if (geteuid() != 0)
        return {};
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        return "running as root and setpriv is not installed";
    if (RunCorvane(kAsNobody + QStringList{CORVANE_BINARY, "--version"}).exitCode != 0)
        return "running as root and setpriv cannot run the program as nobody";
    return {};
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
        const QString tooLarge = "^[^\n]*File too large\\.?\n$";
        const QStringList numbered = exportTo + kNumbers;
        const auto to = [](const QString& output) {
            return QStringList{"export", "grades.csv", "-o", output} + kNumbers;
        };
        const auto page = [&](const QString& size) {
            return numbered + QStringList{"--page", size};
        };
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
             {numbered + QStringList{"--points", "cl"}, 0,
              R"(^(?![\s\S]*BOC)(?![\s\S]*JL)[\s\S]*CL)"}},
            {"not csv, after the reminder",
             {{"export", "grades.txt", "-o", "-"},
              1,
              "^$",
              "^" + kReminder + "Not .*contain \\.csv.*: grades\\.txt\n$"}},
            {".csv inside the name", {{"export", "grades.Csv.old", "-o", "-"}, 0, Book(), ".+"}},
            {"empty distance",
             {numbered + QStringList{"--left-offset", ""}, 1, "^$",
              "^Please Enter Left offset distance\n$"}},
            {"distance no number",
             {numbered + QStringList{"--right-offset", "x"}, 1, "^$",
              "^Right offset distance must be a number\n$"}},
            {"no output", {{"export", "grades.csv"}, 2, "^$", ".+"}},
            {"unknown point type", {exportTo + QStringList{"--points", "cl,kerb"}, 2, "^$", ".+"}},
            {"bad date", {exportTo + QStringList{"--date", "06/12/2026"}, 2, "^$", ".+"}},
            {"bad paper", {exportTo + QStringList{"--paper", "tabloid"}, 2, "^$", ".+"}},
            // The edges of the pages the book fits on, and the pages just beyond them.
            {"narrowest, shortest", {page("88.5x61.5"), 0, Book(62)}},
            {"legal", {page("96x81"), 0, Book(81)}},
            {"tallest", {page("96x105.4"), 0, Book(105)}},
            {"too narrow", {toNew + QStringList{"--page", "88.4x63"}, 2, "^$", "88.4x63" + range}},
            {"too short", {toNew + QStringList{"--page", "96x61.4"}, 2, "^$", "96x61.4" + range}},
            {"too tall", {toNew + QStringList{"--page", "96x105.5"}, 2, "^$", "96x105.5" + range}},
            {"too wide", {toNew + QStringList{"--page", "1001x70"}, 2, "^$", "1001x70" + range}},
            // The output is never the input and is written whole or not at all.
            {"replaces a file", {{"export", "grades.csv", "-o", "book.txt"}, 0, "^$", ".+"}},
            {"pipe in place", {toNew, 0, "^$", "^$", "fifo"}},
            {"input, dot slash", {to("./grades.csv"), 2, "^$", "^[^\n]*\\./grades\\.csv[^\n]*\n$"}},
            {"input, symbolic link", {toNew, 2, "^$", "^[^\n]*new\\.txt[^\n]*\n$", "symbolic"}},
            {"input, hard link", {toNew, 2, "^$", "^[^\n]*new\\.txt[^\n]*\n$", "hard"}},
            {"input, pdf link", {to("new.pdf"), 2, "^$", "^[^\n]*new\\.pdf[^\n]*\n$", "symbolic"}},
            {"device full", {to("/dev/full"), 1, "^$", full}},
            {"standard output full", {numbered, 1, "^$", full, "full"}},
            {"pdf on a full device", {to("full.pdf"), 1, "^$", full}},
            {"replacement fails", {to("book.txt"), 1, "^$", tooLarge, "limit"}},
            {"pdf replacement fails", {to("old.pdf"), 1, "^$", tooLarge, "limit"}},
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
        auto before = Contents(folder.dir.path());
        const Run ran = RunCorvane(QStringList{CORVANE_BINARY} + run.arguments, folder.dir.path(),
                                   [&](QProcess& process) {
                                       if (run.setUp == "full")
                                           process.setStandardOutputFile("/dev/full");
                                       if (run.setUp == "limit")
                                           process.setChildProcessModifier([] {
                                               std::signal(SIGXFSZ, SIG_IGN);
                                               const rlimit limit{1024, 1024};
                                               setrlimit(RLIMIT_FSIZE, &limit);
                                           });
                                   });
        QCOMPARE(ran.exitCode, run.exitCode);
        QVERIFY2(QRegularExpression(run.out).match(ran.out).hasMatch(), ran.out.left(300).data());
        QVERIFY2(QRegularExpression(run.err).match(ran.err).hasMatch(), qPrintable(ran.err));
        if (run.setUp == "fifo") {
            QVERIFY(reader.waitForFinished(30000));
            QVERIFY(reader.readAllStandardOutput().endsWith("\f\n"));
        } else if (run.exitCode == 0 && !output.isEmpty() && output != "-") {
            QVERIFY(ReadFile(path).endsWith("\f\n"));
            before[path] = ReadFile(path);
        }
        QCOMPARE(Contents(folder.dir.path()), before);
    }

    // A platform chosen outright needs no display: the window waits for its user.
    void chosenPlatformOpensTheWindow() {
        QProcess process;
        process.start(CORVANE_BINARY, QStringList{});  // CTest chooses offscreen
        QVERIFY(process.waitForStarted());
        const bool ended = process.waitForFinished(3000);
        process.kill();
        process.waitForFinished();
        QVERIFY2(!ended, qPrintable(QString::fromUtf8(process.readAllStandardError())));
    }

    // A book checked by hand against the layout rules, line by line.
    void bookMatchesItsCheckedCopy() {
        const Run run =
            RunCorvane({CORVANE_BINARY, "export", CORVANE_SAMPLES "/divided-sample.csv", "-o", "-",
                        "--date", "2026-12-06", "--project", "SR 9B", "--control", "2045-03",
                        "--points", "offset,eop,jl", "--left-offset", "2", "--right-offset", "3",
                        "--right-from", "centerline"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(
            QString::fromUtf8(run.out).split('\n'),
            QString::fromUtf8(ReadFile(kData + "/golden/divided-sample-offsets.txt")).split('\n'));
    }

    void pdfHoldsTheSamePagesAsTheTextForm() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        Folder folder;
        const QString pdf = folder.dir.filePath("new.pdf");
        const QStringList common{CORVANE_BINARY,
                                 "export",
                                 kData + "/sr60-undivided.csv",
                                 "--date",
                                 "2026-12-06",
                                 "--project",
                                 "1",
                                 "--control",
                                 "2",
                                 "-o"};
        const QByteArray text = RunCorvane(common + QStringList{"-"}).out;
        QCOMPARE(RunCorvane(common + QStringList{pdf}).exitCode, 0);
        const QStringList pages =
            QString::fromUtf8(RunCorvane({"pdftotext", "-layout", pdf, "-"}).out).split('\f');
        const qsizetype count = text.count("\f\n");
        QCOMPARE(pages.size() - 1, count);  // after the last page's form feed
        for (const QString& shown : QStringList{"Project No: 1", "PAVE-GRADES", "Date: 12 06 2026",
                                                QString("Page No.:%1 of %1").arg(count)})
            QVERIFY2(pages[count - 1].contains(shown), qPrintable(pages[count - 1]));
    }

    // Files a report may turn out to be: a refused one gives one message, status 1 and leaves
    // every file as it was; an odd but readable one is read whole.
    void exportRefusesOrReadsWhole_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("place");
        // %1 the input, %2 the output, %3 the output's folder.
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QStringList>("book");  // texts the book shows; none when refused

        const QByteArray good = Undivided(PointRow(1) + PointRow(1, "-24.0", "10.25"));
        const auto programError = [](const QString& text) {
            return "Program Error : " + text + " occured in GpkBlueTops\n";
        };
        const auto unread = [](int line, const QString& text) {
            return QString("Line %1 of ").arg(line) + "%1: " + text +
                   ". The file has not been read.\n";
        };
        const QString fewerLines = programError("%1 has fewer than three lines");
        auto refused = [&](const char* name, const QByteArray& file, const QString& message,
                           int place = PlainFile) {
            QTest::newRow(name) << file << place << message << QStringList{};
        };
        refused("empty file", "", fewerLines);
        refused("one line", " PAVING GRADES REPORT,,,\n", fewerLines);
        refused("two lines", " PAVING GRADES REPORT,,,\nJob 7,,\n", fewerLines);
        refused("binary", Repeat(4096, [](int i) { return QByteArray(1, char(i)); }),
                programError("the title line of %1 has no comma"));
        refused("NUL in a data line",
                Undivided(PointRow(1) + PointRow(1).replace("PGL", QByteArray("P\0L", 3))),
                unread(5, "the line holds a NUL character, which no text file has"));
        refused("line over 1 MiB", Undivided(PointRow(1) + "C," + QByteArray(1 << 20, 'x') + "\n"),
                unread(5, "the line is longer than 1048576 characters"));
        refused("CR-only line ends", QByteArray(good).replace('\n', '\r'),
                programError("%1 ends its lines with CR alone (only LF and CR LF end a line)"));
        QByteArray utf16("\xFF\xFE");
        for (const char c : good)
            utf16.append(c).append('\0');
        refused("UTF-16 with byte order mark", utf16, "Invalid File Type check file format\n");
        refused("32 points in a station", Undivided(Repeat(32, [](int) { return PointRow(1); })),
                unread(35, "a station holds at most 31 points, this row would be point 32"));
        refused("32 points in a group",
                Divided(Repeat(32, [](int p) { return SideRow("LEFT", 1, p); }) + kTerminator +
                        SideRow("RIGHT", 1, 0)),
                unread(36, "a group holds at most 31 points, this row would be point 32"));
        refused("2002 undivided stations",
                Undivided(Repeat(2002, [](int i) { return (i ? kSeparator : "") + PointRow(i); })),
                unread(4005,
                       "a file holds at most 2001 stations, and this line ends station "
                       "2001 and begins one more"));
        refused("2002 divided stations", Divided(Repeat(2002, DividedStation)),
                unread(8009, "a file holds at most 2001 stations, and this line begins one more"));
        refused("short point row", Undivided(PointRow(1) + "C,1+00,PT,,PGL,1+00,1,2,,EOP,-1\n"),
                unread(5, "a point row needs at least 12 columns, this one has 11"));
        refused("short message row", Undivided(PointRow(1) + "C,1+00,ERROR\n"),
                unread(5, "a message row needs at least 4 columns, this one has 3"));
        refused("wrong side marker",
                Divided(SideRow("LEFT", 1, 0) + SideRow("LEFT", 1, 1, " LEFT") + kTerminator +
                        SideRow("RIGHT", 1, 0) + kTerminator),
                "Error at LeftSide Station: 1+00(LineNumber: 1) Program Exiting\n");
        refused("folder as the file", {}, programError("cannot read %1 (Is a directory)"),
                FolderAsFile);
        refused("missing file", {}, programError("cannot open %1 (No such file or directory)"),
                MissingFile);
        refused("file without read permission", good,
                programError("cannot open %1 (Permission denied)"), UnreadableFile);
        const QString noNewFile = "no new file can be made in %3: ";
        refused("output folder not writable", good,
                "Cannot write %2: " + noNewFile + "Permission denied\n", UnwritableFolder);
        refused("output folder missing", good,
                "Cannot write %2: " + noNewFile + "No such file or directory\n", MissingFolder);
        refused("PDF output folder missing", good,
                "Printing failed: the file %2 could not be written: " + noNewFile +
                    "No such file or directory.\n",
                MissingFolderForPdf);

        auto read = [&](const char* name, const QByteArray& file, const QStringList& book,
                        const QString& messages = {}) {
            QTest::newRow(name) << file << int(PlainFile) << messages << book;
        };
        read("Windows-1252 bytes", Undivided("C\x80\xE9,1+00,PT,,PGL,1+00,1,2,,EOP\xB0,-12,10.5\n"),
             {"C\u20AC\u00E9", "EOP\u00B0", "10.5 @ -12"});
        read("short divided row",
             Divided(SideRow("LEFT", 1, 0) + "C,1+00,,PT,PGL,1+00,1,2,LEFT,P1\n" +
                     SideRow("LEFT", 1, 2) + kTerminator + SideRow("RIGHT", 1, 0) + kTerminator),
             {"P1", "20.5 @ -10", "22.5 @ -12", "(Right)", "20.5 @ 10"}, "Error in StoreSide\n");
        // A right group straight after its left group gives its first row up as the terminator.
        read("divided file without terminators",
             Divided(Repeat(3, [](int p) { return SideRow("LEFT", 1, p); }) +
                     Repeat(3, [](int p) { return SideRow("RIGHT", 1, p); })),
             {"20.5 @ -10", "21.5 @ -11", "22.5 @ -12", "(Right)", "21.5 @ 11", "22.5 @ 12"});
        read("odd numbers",
             Undivided(PointRow(1, "-0", "-0") + PointRow(1, "1e308", "1e308") +
                       PointRow(1, "nan", "nan") + PointRow(1, "inf", "-inf")),
             {"-0 @ -0", "1e308 @ 1e308", "nan @ nan", "-inf @ inf"});
    }

    void exportRefusesOrReadsWhole() {
        QFETCH(QByteArray, file);
        QFETCH(int, place);
        QFETCH(QString, messages);
        QFETCH(QStringList, book);
        const bool unprivileged = place == UnreadableFile || place == UnwritableFolder;
        if (unprivileged)
            if (const QString why = WhyNoUnprivilegedRun(); !why.isEmpty())
                QSKIP(qPrintable(why));

        QTemporaryDir dir;
        // Open to the unprivileged user: only the permission under test refuses.
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7777));
        const QString input = dir.filePath("grades.csv");
        QString folder = dir.path();
        if (place == UnwritableFolder || place == MissingFolder || place == MissingFolderForPdf)
            folder = dir.filePath("books");
        const QString output = folder + (place == MissingFolderForPdf ? "/book.pdf" : "/book.txt");

        if (place == FolderAsFile) {
            QVERIFY(QDir().mkdir(input));
        } else if (place != MissingFile) {
            QVERIFY(WriteFile(input, file));
        }
        if (place == UnreadableFile)
            QVERIFY(QFile::setPermissions(input, QFile::WriteOwner));
        if (place != MissingFolder && place != MissingFolderForPdf) {
            QDir().mkpath(folder);
            QVERIFY(WriteFile(output, "the previous book\n"));
            // Writable itself, in a folder that is not: a book replaces, never patches.
            QFile::setPermissions(output, QFile::Permissions(0x6666));
        }
        if (place == UnwritableFolder)
            QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x5555)));
        const QMap<QString, QByteArray> before = Contents(dir.path());

        // A left offset point puts the file's numbers through one more computation (a right one
        // would take the last point's cell of a divided book).
        const QStringList command{
            CORVANE_BINARY, "export", input,           "-o", output, "--project", "1",
            "--control",    "2",      "--left-offset", "3"};
        const Run run = RunCorvane(unprivileged && geteuid() == 0 ? kAsNobody + command : command);
        QFile::setPermissions(folder, QFile::Permissions(0x7777));  // lets the folder go

        QCOMPARE(run.err,
                 messages.replace("%1", input).replace("%2", output).replace("%3", folder));
        QCOMPARE(run.exitCode, book.isEmpty() ? 1 : 0);
        if (book.isEmpty()) {
            QCOMPARE(Contents(dir.path()), before);
            return;
        }
        const QString text = QString::fromUtf8(ReadFile(output));
        for (const QString& shown : book)
            QVERIFY2(text.contains(shown), qPrintable(shown + " is missing from:\n" + text));
        // No computed text (slope, offset point) is ever not finite or in an exponent form; the
        // file's own texts print as they stand.
        const QRegularExpression odd(R"(nan|inf|\de[-+]?\d)",
                                     QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(text.count(odd) == QString::fromLatin1(file).count(odd), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
