// Report files a person may choose by mistake, with what each must give: the command line's
// export and the main window's Preview read them alike and show the same messages, one a line.
#pragma once

#include <QRegularExpression>
#include <QtTest>

#include <functional>

#include "run_corvane.h"

const QByteArray kSeparator = ",,,,,,,,,,,\n";
const QByteArray kTerminator = ",,,,,,,,,,,,,,,\n";

inline QByteArray Header(const QByteArray& roadway) {
    return " PAVING GRADES REPORT,,,,,,,,,,,\nJob 7,Chain A,,,,,,,,,,\n" + roadway +
           ",,,,,,,,,,,\n";
}
inline const auto Undivided = [](const QByteArray& rows) { return Header("UNDIVIDED") + rows; };
inline QByteArray Divided(const QByteArray& rows) {
    return Header("DIVIDED") + "Chain,Station,,Kind,Text,XS Station,N,E,Side,Code,Offset,Elev\n" +
           rows;
}
inline const auto Station = [](int station) { return QByteArray::number(station) + "+00"; };
inline QByteArray PointRow(int station, const QByteArray& offset = "-12.0",
                           const QByteArray& elevation = "10.50") {
    return "C," + Station(station) + ",PT,,PGL," + Station(station) + ",1,2,,EOP," + offset + "," +
           elevation + "\n";
}
// A divided point row; point p of a side lies p + 10 feet out, 20.5 + p high.
inline QByteArray SideRow(const QByteArray& side, int station, int point,
                          const QByteArray& marker = {}) {
    const QByteArray offset = QByteArray::number(side == "LEFT" ? -10 - point : 10 + point);
    return "C," + Station(station) + ",,PT,PGL," + Station(station) + ",1,2," +
           (marker.isNull() ? side : marker) + ",P" + QByteArray::number(point) + "," + offset +
           "," + QByteArray::number(20 + point) + ".5\n";
}
inline QByteArray Repeat(int count, const std::function<QByteArray(int)>& row) {
    QByteArray rows;
    for (int i = 0; i < count; ++i)
        rows += row(i);
    return rows;
}
inline QByteArray DividedStation(int station) {
    return SideRow("LEFT", station, 0) + kTerminator + SideRow("RIGHT", station, 0) + kTerminator;
}
inline const auto GoodReport = [] {
    return Undivided(PointRow(1) + PointRow(1, "-24.0", "10.25"));
};

// Where the input and the output are, besides a plain file and a book beside it. The output's
// places are the command line's alone.
enum Place {
    PlainFile,
    FolderAsFile,
    MissingFile,
    UnreadableFile,      // as an unprivileged user
    UnwritableFolder,    // as an unprivileged user; the old book in it may be written
    MissingFolder,       // the output's folder does not exist
    MissingFolderForPdf  // the same for a PDF
};

// Puts the row's input at the path: the file, a folder, nothing, or a file only its owner may
// write.
inline bool PlaceInput(const QString& path, const QByteArray& file, int place) {
    if (place == FolderAsFile)
        return QDir().mkdir(path);
    return place == MissingFile ||
           (WriteFile(path, file) &&
            (place != UnreadableFile || QFile::setPermissions(path, QFile::WriteOwner)));
}

// The columns file, place, messages (%1 stands for the input's path) and book (texts the book
// shows; none when the file is refused), and a row for every input file.
inline void AddReportFileRows() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("messages");
    QTest::addColumn<QStringList>("book");

    const auto programError = [](const QString& text) {
        return "Program Error : " + text + " occured in GpkBlueTops\n";
    };
    const auto unread = [](int line, const QString& text) {
        return QString("Line %1 of ").arg(line) + "%1: " + text + ". The file has not been read.\n";
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
    refused("CR-only line ends", GoodReport().replace('\n', '\r'),
            programError("%1 ends its lines with CR alone (only LF and CR LF end a line)"));
    QByteArray utf16("\xFF\xFE");
    for (const char c : GoodReport())
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
    // The one file that ends the program.
    refused("wrong side marker",
            Divided(SideRow("LEFT", 1, 0) + SideRow("LEFT", 1, 1, " LEFT") + kTerminator +
                    SideRow("RIGHT", 1, 0) + kTerminator),
            "Error at LeftSide Station: 1+00(LineNumber: 1) Program Exiting\n");
    refused("folder as the file", {}, programError("cannot read %1 (Is a directory)"),
            FolderAsFile);
    refused("missing file", {}, programError("cannot open %1 (No such file or directory)"),
            MissingFile);
    refused("file without read permission", GoodReport(),
            programError("cannot open %1 (Permission denied)"), UnreadableFile);

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

// What is wrong with the text of a book read from the file: a text of the row's book missing, or
// a computed text (slope, offset point) not finite or in an exponent form, where the file's own
// texts print as they stand. Empty when nothing is.
inline QString BookFault(const QString& text, const QStringList& book, const QByteArray& file) {
    for (const QString& shown : book)
        if (!text.contains(shown))
            return shown + " is missing from:\n" + text;
    const QRegularExpression odd(R"(nan|inf|\de[-+]?\d)",
                                 QRegularExpression::CaseInsensitiveOption);
    return text.count(odd) == QString::fromLatin1(file).count(odd) ? QString() : text;
}
