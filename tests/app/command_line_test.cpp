// The program as a script runs it, without a display: the window form's help and refusals, and
// `corvane export` with its books, messages, exit statuses and output files, for odd input files.
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <csignal>

#include "bad_inputs.h"
#include "input/read_roadway.h"
#include "report/station_range.h"
#include "report/text_book.h"
#include "run_corvane.h"
#include "viewer/book_file.h"

// One run of the program in a folder holding grades.csv (a report), copies of it as grades.txt
// and grades.Csv.old, revised.csv (one elevation of 2390+00.00 R1 raised by 0.10), divided.csv (a
// divided report), an old book.txt and old.pdf, and full.pdf, a link to /dev/full.
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
// Offset points on both sides, the right one from the centerline.
const QStringList kBothOffsets{"--left-offset", "2",         "--right-offset", "3",
                               "--right-from",  "centerline"};

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
        QVERIFY(WriteFile(
            dir.filePath("revised.csv"),
            ReadFile(kData + "/short-undivided.csv").replace(",-34.00,100.20", ",-34.00,100.30")));
        QFile::copy(CORVANE_SAMPLES "/divided-sample.csv", dir.filePath("divided.csv"));
        QFile::link("/dev/full", dir.filePath("full.pdf"));
    }
};

// The workbook read back cell by cell against the CSV of the same table (python3-openpyxl).
void ExpectWorkbookMatches(const QString& workbook, const QString& csv, const QString& sheets,
                           const QStringList& numbers) {
    const Run check =
        RunCorvane(QStringList{"/usr/bin/python3", CORVANE_XLSX_CHECK, workbook, csv, "--sheets"} +
                   sheets.split(' ') + QStringList{"--numbers"} + numbers);
    QVERIFY2(check.exitCode == 0, qPrintable(check.err));
}

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
        const auto compare = [](const QString& older, const QString& newer,
                                const QStringList& more = {}) {
            return QStringList{"compare", older, newer, "-o", "-"} + kNumbers + more;
        };
        const auto stations = [&](const QString& range) {
            return numbered + QStringList{"--stations", range};
        };
        const QString changesHeader = "^Side,Station,Name,Code,Kind,Old Offset,";
        const QList<std::pair<const char*, Case>> rows{
            {"help", {{"--help"}, 0, R"((?s)^Usage: .*\[FILE\.csv\].*\n  corvane export \S.*)"}},
            {"version", {{"--version"}, 0, R"(^corvane \d+\.\d+\.\d+\n$)", "^$"}},
            {"window", {{}, 1, "^$", noDisplay}},
            {"window with a file", {{"grades.csv"}, 1, "^$", noDisplay}},
            {"unknown option", {{"--bogus"}, 2, "^$", "(?s)^Unknown option 'bogus'.*--help"}},
            {"two files", {{"a.csv", "b.csv"}, 2, "^$", ".+"}},
            // The control number is asked for but printed nowhere; a script tells a refused
            // command line (2, with the hint) from a run that stopped (1).
            {"export help",
             {{"export", "--help"},
              0,
              "(?s).*--format.*--project.*--control[^\n]*no page.*--stations.*Exit status:.*\n  1 "
              ".*not a number.*\n  2 .*refused.*Station range:\n  corvane export .*--stations",
              "^$"}},
            {"compare help",
             {{"compare", "--help"},
              0,
              "(?s)OLD\\.csv.*NEW\\.csv.*--stations.*--tolerance.*Exit status:\n  0  no change.*\n "
              " 3 "
              " changes found.*\n  1 .*\n  2 ",
              "^$"}},
            {"unknown export option",
             {exportTo + QStringList{"--bogus"}, 2, "^$",
              "^Unknown option 'bogus'.\nTry 'corvane export --help'.\n$"}},
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
            {"no output", {{"export", "grades.csv"}, 2, "^$", ".+"}},
            {"unknown point type", {exportTo + QStringList{"--points", "cl,kerb"}, 2, "^$", ".+"}},
            {"bad date", {exportTo + QStringList{"--date", "06/12/2026"}, 2, "^$", ".+"}},
            {"bad paper", {exportTo + QStringList{"--paper", "tabloid"}, 2, "^$", ".+"}},
            // The edges of the pages the book fits on, the lines a page then has; one beyond.
            {"narrowest, shortest", {page("88.5x61.5"), 0, Book(62)}},
            {"legal", {page("96x81"), 0, Book(81)}},
            {"tallest", {page("96x105.4"), 0, Book(105)}},
            {"too wide", {toNew + QStringList{"--page", "1001x70"}, 2, "^$", "1001x70" + range}},
            // A station range is read against the file's stations; nothing is written unless the
            // range holds a station.
            {"range bound with more digits",
             {stations("..2390+000"), 2, "^$",
              "^Station range \"\\.\\.2390\\+000\": TO .*3 digits.*have 2\\.\n$"}},
            {"range without stations",
             {stations("100+00..200+00"), 1, "^$",
              "^No station lies in 100\\+00\\.\\.200\\+00; the file runs from 2389\\+00\\.00 R1 to "
              "2390\\+00\\.00 R1\\.\n$"}},
            // The output's name chooses the form, --format overrides it; a workbook needs a file.
            {"csv by name", {to("grades.out.CSV"), 0}},
            {"csv by format",
             {numbered + QStringList{"--format", "csv"}, 0,
              "^Side,Station,Station Value,.*\r\n,2389\\+00\\.00 R1,238900\\.00,"}},
            {"text by format", {to("book.csv") + QStringList{"--format", "TEXT"}, 0}},
            {"unknown format",
             {numbered + QStringList{"--format", "doc"}, 2, "^$", "^--format .*'doc'\n.*--help"}},
            {"workbook to standard output",
             {numbered + QStringList{"--format", "xlsx"}, 2, "^$",
              "^A workbook .*standard output.*\n.*--help"}},
            // The compare: 0 no change, 3 changes, 1 a stopped run, 2 a wrong command line.
            {"compare with itself",
             {compare("grades.csv", "grades.csv"), 0,
              "(?s)Stations compared: 4  changed: 0.*No change\\."}},
            {"compare with a revision",
             {compare("grades.csv", "revised.csv"), 3,
              "(?s)2390\\+00\\.00 R1  MAIN\n +Left Shoulder +100\\.20 @ -34\\.00  ->  100\\.30 @ "
              "-34\\.00\n"}},
            {"changes within the tolerance",
             {compare("grades.csv", "revised.csv", {"--tolerance", "0.1"}), 0, "No change"}},
            {"change rows",
             {compare("grades.csv", "revised.csv", {"--format", "csv"}), 3,
              changesHeader + ".*\r\n,2390\\+00\\.00 R1,Left "
                              "Shoulder,LtSgShldr,changed,-34\\.00,100\\.20,-34\\.00,100\\.30,0\\."
                              "00,\\+0\\.10,"}},
            {"compare within a range",
             {compare("grades.csv", "revised.csv", {"--stations", "..2389+50"}), 0, "No change"}},
            {"older file refused",
             {compare("nothing.csv", "grades.csv"), 1, "^$",
              "^nothing\\.csv: Program Error : cannot open nothing\\.csv .*\n$"}},
            {"newer file refused",
             {compare("grades.csv", "grades.txt"), 1, "^$",
              "^grades\\.txt: Not a paving grades report .*: grades\\.txt\n$"}},
            {"range without stations in a file",
             {compare("grades.csv", "divided.csv", {"--stations", "2389+00..2390+00"}), 1, "^$",
              "^divided\\.csv: No station lies in .*\n$"}},
            {"roadway types differ",
             {compare("grades.csv", "divided.csv"), 1, "^$",
              "^grades\\.csv is an undivided roadway, divided\\.csv a divided one\\.\n$"}},
            {"roadway types differ, reversed",
             {compare("divided.csv", "grades.csv"), 1, "^$",
              "^divided\\.csv is a divided roadway, grades\\.csv an undivided one\\.\n$"}},
            {"tolerance not a number",
             {compare("grades.csv", "revised.csv", {"--tolerance", "abc"}), 2, "^$",
              "^--tolerance .*'abc'\n.*compare --help"}},
            {"compare over a file",
             {{"compare", "grades.csv", "revised.csv", "-o", "revised.csv"},
              2,
              "^$",
              "^[^\n]*revised\\.csv[^\n]*\n$"}},
            {"compare, one file",
             {{"compare", "grades.csv", "-o", "-"}, 2, "^$", "^Usage: corvane compare .*"}},
            // The output is never the input and is written whole or not at all.
            {"replaces a file", {{"export", "grades.csv", "-o", "book.txt"}, 0, "^$", ".+"}},
            {"pipe in place", {toNew, 0, "^$", "^$", "fifo"}},
            {"input, dot slash", {to("./grades.csv"), 2, "^$", "^[^\n]*\\./grades\\.csv[^\n]*\n$"}},
            {"input, symbolic link", {toNew, 2, "^$", "^[^\n]*new\\.txt[^\n]*\n$", "symbolic"}},
            {"input, hard link", {toNew, 2, "^$", "^[^\n]*new\\.txt[^\n]*\n$", "hard"}},
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
            const QByteArray written = ReadFile(path);
            const bool textBook =
                !path.endsWith(".csv", Qt::CaseInsensitive) || run.arguments.contains("--format");
            QVERIFY(textBook ? written.endsWith("\f\n") : written.startsWith("\xEF\xBB\xBFSide,"));
            before[path] = written;
        }
        QCOMPARE(Contents(folder.dir.path()), before);
    }

    // The manual page documents every option that either form's help lists.
    void manualPageNamesEveryOption() {
        const QString manual = QString::fromUtf8(ReadFile(CORVANE_MANUAL_PAGE));
        const QRegularExpression option(R"(^  (?:-\w, )?(--[\w-]+))",
                                        QRegularExpression::MultilineOption);
        for (const QStringList& help : {QStringList{"--help"}, QStringList{"export", "--help"},
                                        QStringList{"compare", "--help"}}) {
            const Run run = RunCorvane(QStringList{CORVANE_BINARY} + help);
            QStringList missing;
            qsizetype listed = 0;
            for (const QRegularExpressionMatch& match :
                 option.globalMatch(QString::fromUtf8(run.out))) {
                ++listed;
                if (!manual.contains(match.captured(1).replace("-", "\\-")))
                    missing << match.captured(1);
            }
            QVERIFY2(listed >= 2 && missing.isEmpty(), qPrintable(missing.join(' ')));
        }
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

    // The export neither reads nor writes what the windows remember: its book is the same byte
    // for byte with a settings file or without one, and the config folder stays as it was.
    void exportLeavesRememberedSettingsAlone() {
        std::array<QByteArray, 2> books;
        for (const bool remembered : {false, true}) {
            QTemporaryDir config;
            const QByteArray settings = "[PrinterAndFont]\nPrinter=Plotter\nFont=Courier New\n";
            QVERIFY(!remembered || (QDir().mkpath(config.filePath("Corvane")) &&
                                    WriteFile(config.filePath("Corvane/Corvane.ini"), settings)));
            const QMap<QString, QByteArray> before = Contents(config.path());
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_CONFIG_HOME", config.path());
            const Run run =
                RunCorvane({CORVANE_BINARY, "export", CORVANE_SAMPLES "/divided-sample.csv", "-o",
                            "-", "--date", "2026-12-06", "--project", "1", "--control", "2"},
                           {}, {}, environment);
            QVERIFY(run.exitCode == 0 && Contents(config.path()) == before);
            books[remembered] = run.out;
        }
        QCOMPARE(books[1], books[0]);
    }

    // The roadway is computed whole (offset points from the file's first offset), then the range
    // is kept and paginated afresh.
    void rangeExportIsTheRangeBook() {
        const std::string sample = CORVANE_SAMPLES "/divided-sample.csv";
        const std::string range = "1212+00 NB..1230+00";
        const Run run = RunCorvane(
            QStringList{CORVANE_BINARY, "export", QString::fromStdString(sample), "-o", "-",
                        "--date", "2026-12-06", "--stations", QString::fromStdString(range)} +
            kNumbers + kBothOffsets);
        QCOMPARE(run.exitCode, 0);
        using namespace corvane;
        RecordingMessages messages;
        const OffsetRequests offsets{{true, 2, OffsetFrom::LastPoint},
                                     {true, 3, OffsetFrom::CenterLine}};
        auto whole = std::get<BookSet>(MakeBooks(ReadRoadway(sample, messages).Roadway,
                                                 {true, {}, offsets}, PageSize{}, messages));
        // Each side's stations in range, as a book of its own.
        const StationRange kept =
            *ReadStationRange(range, StationDigitsOf(whole.Books[0].Book)).Range;
        for (PaginatedBook& side : whole.Books) {
            side.Book = RangeBook(side.Book, kept);
            side.Pagination = Paginate(side.Book, whole.PageSize);
            QCOMPARE(side.Book.Stations.size(), size_t(19));
        }
        QCOMPARE(run.out, QByteArray::fromStdString(TextBook(whole, {"1", "12 06 2026", ""})));
    }

    // The divided sample's grades with a point selection and offset points, as CSV and as a
    // workbook, as the checked table holds them (the undivided one: sheets_test).
    void gradesMatchTheirCheckedTable() {
        Folder folder;
        const QString golden = kData + "/golden/divided-sample-selection.csv";
        const QStringList command =
            QStringList{CORVANE_BINARY, "export", CORVANE_SAMPLES "/divided-sample.csv", "--points",
                        "offset,eop,jl"} +
            kNumbers + kBothOffsets;
        for (const char* output : {"grades.csv", "grades.XLSX"})
            QCOMPARE(RunCorvane(command + QStringList{"-o", folder.dir.filePath(output)}).exitCode,
                     0);
        QCOMPARE(ReadFile(folder.dir.filePath("grades.csv")), ReadFile(golden));
        ExpectWorkbookMatches(folder.dir.filePath("grades.XLSX"), golden, "Left Right",
                              {"Station Value", "Offset", "Elevation", "Slope"});
    }

    // The divided sample against its revision: the checked changes book and rows (the same as
    // compare_test makes them without the command line), the rows also as a workbook, and the
    // status that says changes were found.
    void changesMatchTheirCheckedBookAndRows() {
        Folder folder;
        QFile::copy(CORVANE_SAMPLES "/divided-sample.csv",
                    folder.dir.filePath("divided-sample.csv"));
        QFile::copy(kData + "/divided-revised.csv", folder.dir.filePath("divided-revised.csv"));
        const auto compare = [&](const QStringList& output) {
            return RunCorvane(
                QStringList{CORVANE_BINARY, "compare", "divided-sample.csv", "divided-revised.csv",
                            "--project", "US 441", "--control", "1", "--date", "2026-12-06"} +
                    kBothOffsets + output,
                folder.dir.path());
        };
        const QString golden = kData + "/golden/changes-divided";
        const Run book = compare({"-o", "-"});
        QCOMPARE(book.exitCode, 3);
        QCOMPARE(book.out, ReadFile(golden + ".txt"));
        const Run rows = compare({"-o", "-", "--format", "csv"});
        QCOMPARE(rows.exitCode, 3);
        QCOMPARE(QByteArray(rows.out).replace("\r\n", "\n"), ReadFile(golden + "-rows.csv"));
        QCOMPARE(compare({"-o", "changes.xlsx"}).exitCode, 3);
        QVERIFY(WriteFile(folder.dir.filePath("changes.csv"), rows.out));
        ExpectWorkbookMatches(folder.dir.filePath("changes.xlsx"),
                              folder.dir.filePath("changes.csv"), "Changes",
                              {"Old Offset", "Old Elevation", "New Offset", "New Elevation",
                               "Offset Change", "Elevation Change", "Old Slope", "New Slope"});
    }

    void pdfHoldsTheSamePagesAsTheTextForm() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        Folder folder;
        const QString pdf = folder.dir.filePath("new.pdf");
        const QStringList common =
            QStringList{CORVANE_BINARY, "export", kData + "/sr60-undivided.csv", "--date",
                        "2026-12-06"} +
            kNumbers;
        const QByteArray text = RunCorvane(common + QStringList{"-o", "-"}).out;
        QCOMPARE(RunCorvane(common + QStringList{"-o", pdf}).exitCode, 0);
        const QStringList pages =
            QString::fromUtf8(RunCorvane({"pdftotext", "-layout", pdf, "-"}).out).split('\f');
        const qsizetype count = text.count("\f\n");
        QCOMPARE(pages.size() - 1, count);  // after the last page's form feed
        for (const QString& shown : QStringList{"Project No: 1", "PAVE-GRADES", "Date: 12 06 2026",
                                                QString("Page No.:%1 of %1").arg(count)})
            QVERIFY2(pages[count - 1].contains(shown), qPrintable(pages[count - 1]));
    }

    // Pieces of every size, some written as they come and some gathered first,
    // reach the file whole and in order.
    void bookFileKeepsPiecesInOrder() {
        Folder folder;
        const QString path = folder.dir.filePath("book.txt");
        QByteArray expected;
        corvane::BookFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const qsizetype size : {10, 70000, 20, 50000, 30000, 100000, 5}) {
            const QByteArray piece(size, static_cast<char>('a' + expected.size() % 26));
            QCOMPARE(file.write(piece), size);
            expected += piece;
        }
        QVERIFY(file.Commit());
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll() == expected);
    }

    // Files a report may turn out to be: a refused one gives one message, status 1 and leaves
    // every file as it was; an odd but readable one is read whole.
    void exportRefusesOrReadsWhole_data() {
        AddReportFileRows();  // %2 the output, %3 the output's folder in the rows below
        const QString noNewFile = "no new file can be made in %3: ";
        auto refused = [](const char* name, const QString& message, int place) {
            QTest::newRow(name) << GoodReport() << place << message << QStringList{};
        };
        refused("output folder not writable",
                "Cannot write %2: " + noNewFile + "Permission denied\n", UnwritableFolder);
        refused("output folder missing",
                "Cannot write %2: " + noNewFile + "No such file or directory\n", MissingFolder);
        refused("PDF output folder missing",
                "Printing failed: the file %2 could not be written: " + noNewFile +
                    "No such file or directory.\n",
                MissingFolderForPdf);
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

        QVERIFY(PlaceInput(input, file, place));
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
        const QString fault = BookFault(QString::fromUtf8(ReadFile(output)), book, file);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
