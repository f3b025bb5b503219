#include "app/export_options.h"

#include <QCommandLineParser>
#include <QDate>
#include <QRegularExpression>

#include <map>

#include "viewer/report_page.h"

namespace corvane {

namespace {

const QCommandLineOption kOutput(
    {"o", "output"}, "Where to write: a .txt file, a .pdf file, or - for standard output.", "PATH");
const QCommandLineOption kProject("project", "Project number, printed in the page header.", "TEXT");
// Asked for like the project number, yet no page of the book prints it.
const QCommandLineOption kControl(
    "control", "Control number, printed on no page; without it or --project the reminder is shown.",
    "TEXT");
const QCommandLineOption kPoints("points",
                                 "all, or a comma list of offset,break,eop,jl,foc,boc,cl.", "LIST",
                                 "all");
const QCommandLineOption kLeftOffset("left-offset", "Add a left offset point at this distance.",
                                     "DIST");
const QCommandLineOption kRightOffset("right-offset", "Add a right offset point at this distance.",
                                      "DIST");
const QCommandLineOption kLeftFrom("left-from", "Measure the left offset from: last or centerline.",
                                   "FROM", "last");
const QCommandLineOption kRightFrom("right-from",
                                    "Measure the right offset from: last or centerline.", "FROM",
                                    "last");
const QCommandLineOption kPage("page",
                               QString("Printer page in character cells, e.g. 96x63: %1.")
                                   .arg(QString::fromStdString(AcceptedPageRangeText())),
                               "COLSxLINES");
const QCommandLineOption kPaper("paper",
                                "Paper of the PDF: letter, legal or a4 (quarter-inch margins).",
                                "PAPER", "letter");
const QCommandLineOption kDate("date", "Date printed in the header.", "YYYY-MM-DD");

// Scripts tell a refused command line from a run that stopped by the status.
const char kExitStatuses[] =
    "\nExit status:\n"
    "  0  the book is written.\n"
    "  1  the run stops: the input is not a paving grades report or cannot be read,\n"
    "     an offset distance is empty or not a number, or the book cannot be written.\n"
    "  2  the command line is refused before anything is read: an unknown option,\n"
    "     a missing value, not one INPUT.csv, no -o, a value of --points, --left-from,\n"
    "     --right-from, --page, --paper or --date that is not taken, or an output\n"
    "     that is the input.\n";

bool ReadPoints(const QString& list, ExportOptions& options, QString& error) {
    if (list.compare("all", Qt::CaseInsensitive) == 0) {
        options.Inputs.CheckAllPoints = true;
        return true;
    }
    options.Inputs.CheckAllPoints = false;
    PointTypes& types = options.Inputs.Types;
    const std::map<QString, bool*> boxes{
        {"offset", &types.OffsetPoints}, {"break", &types.BreakPoints},
        {"eop", &types.EdgeOfPavement},  {"jl", &types.JLPoints},
        {"foc", &types.FOCPoints},       {"boc", &types.BOCPoints},
        {"cl", &types.CLPoints}};
    for (const auto& [name, box] : boxes)
        *box = false;
    for (const QString& item : list.split(',', Qt::SkipEmptyParts)) {
        const auto box = boxes.find(item.trimmed().toLower());
        if (box == boxes.end()) {
            error = QString("Unknown point type '%1' in --points").arg(item.trimmed());
            return false;
        }
        *box->second = true;
    }
    return true;
}

bool ReadFrom(const QString& value, OffsetFrom& from, QString& error) {
    if (value == "last") {
        from = OffsetFrom::LastPoint;
    } else if (value == "centerline") {
        from = OffsetFrom::CenterLine;
    } else {
        error = QString("Offset choice must be last or centerline, not '%1'").arg(value);
        return false;
    }
    return true;
}

bool ReadPaper(const QString& value, ExportOptions& options, QString& error) {
    const std::map<QString, QPageSize::PageSizeId> papers{
        {"letter", QPageSize::Letter}, {"legal", QPageSize::Legal}, {"a4", QPageSize::A4}};
    const auto paper = papers.find(value.toLower());
    if (paper == papers.end()) {
        error = QString("Paper must be letter, legal or a4, not '%1'").arg(value);
        return false;
    }
    options.Paper = paper->second;
    options.Page = PrintableCells(QuarterInchLayout(paper->second));
    return true;
}

bool ReadPage(const QString& value, ExportOptions& options, QString& error) {
    static const QRegularExpression size(R"(^\s*(\d+(?:\.\d+)?)\s*[xX]\s*(\d+(?:\.\d+)?)\s*$)");
    const QString range = QString::fromStdString(AcceptedPageRangeText());
    const QRegularExpressionMatch match = size.match(value);
    if (!match.hasMatch()) {
        error = QString("--page must be COLSxLINES with %1, not '%2'").arg(range, value);
        return false;
    }
    const PageSize page{match.captured(1).toDouble(), match.captured(2).toDouble()};
    // Only a page on which every text of the layout lands makes a whole book.
    if (!PageFitsLayout(page)) {
        error = QString("--page %1 is outside the range the book fits on: %2")
                    .arg(QString::fromStdString(PageCellsText(page)), range);
        return false;
    }
    options.Page = page;
    return true;
}

bool ReadDate(const QString& value, ExportOptions& options, QString& error) {
    const QDate date = QDate::fromString(value, Qt::ISODate);
    if (!date.isValid()) {
        error = QString("--date must be YYYY-MM-DD, not '%1'").arg(value);
        return false;
    }
    options.Inputs.HeaderDate = date.toString("MM dd yyyy").toStdString();
    return true;
}

bool ReadOffsets(const QCommandLineParser& parser, ExportOptions& options, QString& error) {
    OffsetRow& left = options.Inputs.LeftOffset;
    OffsetRow& right = options.Inputs.RightOffset;
    left.Asked = parser.isSet(kLeftOffset);
    right.Asked = parser.isSet(kRightOffset);
    left.Distance = parser.value(kLeftOffset).toStdString();
    right.Distance = parser.value(kRightOffset).toStdString();
    return ReadFrom(parser.value(kLeftFrom), left.From, error) &&
           ReadFrom(parser.value(kRightFrom), right.From, error);
}

}  // namespace

bool ParseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error,
                        QString& helpText) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Writes the grade book of a paving grades report.");
    parser.addHelpOption();
    parser.addPositionalArgument("export", "The export command.");
    parser.addPositionalArgument("INPUT.csv", "The paving grades report to read.");
    parser.addOptions({kOutput, kProject, kControl, kPoints, kLeftOffset, kRightOffset, kLeftFrom,
                       kRightFrom, kPage, kPaper, kDate});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet("help")) {
        // Parsed before any application object exists, the parser does not
        // know the program's name yet.
        helpText = parser.helpText().replace("<executable_name>", "corvane") + kExitStatuses;
        return true;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2) {
        error = "Usage: corvane export INPUT.csv -o OUTPUT [options]";
        return false;
    }
    if (!parser.isSet(kOutput) || parser.value(kOutput).isEmpty()) {
        error = "An output is required: -o FILE.txt, -o FILE.pdf or -o -";
        return false;
    }
    options.InputFile = positional.at(1);
    options.Inputs.InputFile = options.InputFile.toStdString();
    options.OutputPath = parser.value(kOutput);
    options.Pdf = options.OutputPath.endsWith(".pdf", Qt::CaseInsensitive);
    options.Inputs.ProjectNumber = parser.value(kProject).toStdString();
    options.Inputs.ControlNumber = parser.value(kControl).toStdString();

    return ReadPoints(parser.value(kPoints), options, error) &&
           ReadOffsets(parser, options, error) && ReadPaper(parser.value(kPaper), options, error) &&
           (!parser.isSet(kPage) || ReadPage(parser.value(kPage), options, error)) &&
           (!parser.isSet(kDate) || ReadDate(parser.value(kDate), options, error));
}

}  // namespace corvane
