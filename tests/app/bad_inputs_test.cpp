// Files a paving-grades report may turn out to be, given to `corvane export`:
// a refused one gives one message, status 1 and leaves every file as it was;
// an odd but readable one is read whole.
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <functional>

#include "run_corvane.h"

namespace {

const QByteArray kSeparator = ",,,,,,,,,,,\n";
const QByteArray kTerminator = ",,,,,,,,,,,,,,,\n";

QByteArray Header(const QByteArray& roadway) {
    return " PAVING GRADES REPORT,,,,,,,,,,,\nJob 7,Chain A,,,,,,,,,,\n" + roadway +
           ",,,,,,,,,,,\n";
}
QByteArray Undivided(const QByteArray& rows) {
    return Header("UNDIVIDED") + rows;
}
QByteArray Divided(const QByteArray& rows) {
    return Header("DIVIDED") + "Chain,Station,,Kind,Text,XS Station,N,E,Side,Code,Offset,Elev\n" +
           rows;
}
QByteArray Station(int station) {
    return QByteArray::number(station) + "+00";
}
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

class BadInputsTest : public QObject {
    Q_OBJECT

  private slots:
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

QTEST_GUILESS_MAIN(BadInputsTest)
#include "bad_inputs_test.moc"
