#include "app/export_options.h"

#include <QCommandLineParser>
#include <QDate>
#include <QRegularExpression>

#include <map>

#include "viewer/report_page.h"

namespace corvane {

namespace {

const QCommandLineOption kOutput(
    {"o", "output"},
    "Where to write; the name chooses the form: .pdf the PDF, .csv a CSV table, .xlsx an Excel "
    "workbook, any other name the text book; - is standard output (text or CSV).",
    "PATH");
const QCommandLineOption kFormat("format",
                                 "Write this form whatever the output's name: text, pdf, csv or "
                                 "xlsx.",
                                 "FORM");
const QCommandLineOption kStations(
    "stations",
    "Only the stations from FROM to TO, e.g. 512+00..530+00 (bounds may carry a tag, as in "
    "1040+00 EB; 512+00.. and ..530+00 leave one end open).",
    "FROM..TO");
const QCommandLineOption kTolerance(
    "tolerance", "Largest move of an offset or elevation that is no change (default 0).", "T", "0");
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
    "     an offset distance is empty or not a number, no station lies in the range\n"
    "     of --stations, or the book cannot be written.\n"
    "  2  the command line is refused and nothing is written: an unknown option,\n"
    "     a missing value, not one INPUT.csv, no -o, a value of --points, --left-from,\n"
    "     --right-from, --page, --paper, --date or --format that is not taken, a\n"
    "     workbook to standard output, an output that is the input, or a range of\n"
    "     --stations that is not one (checked against the file's stations).\n"
    "\nStation range:\n"
    "  corvane export road.csv -o today.pdf --stations 512+00..530+00\n"
    "  FROM and TO are station texts A+B as the file writes them, with or without\n"
    "  a tag; a tag keeps only the stations with that tag. The range's book is\n"
    "  paginated as a book of its own.\n";

const char kCompareExitStatuses[] =
    "\nExit status:\n"
    "  0  no change: the changes are written and say so.\n"
    "  3  changes found: the changes are written.\n"
    "  1  the run stops: a file is refused (its message begins with its name), the\n"
    "     files are of different roadway types, an offset distance is empty or not\n"
    "     a number, no station of a file lies in the range of --stations, or the\n"
    "     output cannot be written.\n"
    "  2  the command line is refused and nothing is written: as for export, and a\n"
    "     --tolerance that is not a number of 0 or more, or an output that is one of\n"
    "     the two files.\n";

// What tells the two commands apart on the command line.
struct CommandShape {
    const char* Description;
    QStringList Inputs;  // the names of the files after the command
    QString Usage;
    const char* ExitStatuses;
    QList<QCommandLineOption> ExtraOptions;
};

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

bool ReadForm(const QCommandLineParser& parser, ExportOptions& options, QString& error) {
    options.Form = FormOfOutput(options.OutputPath);
    if (parser.isSet(kFormat)) {
        const std::map<QString, OutputForm> forms{{"text", OutputForm::Text},
                                                  {"pdf", OutputForm::Pdf},
                                                  {"csv", OutputForm::Csv},
                                                  {"xlsx", OutputForm::Xlsx}};
        const auto form = forms.find(parser.value(kFormat).toLower());
        if (form == forms.end()) {
            error = QString("--format must be text, pdf, csv or xlsx, not '%1'")
                        .arg(parser.value(kFormat));
            return false;
        }
        options.Form = form->second;
    }
    if (options.Form == OutputForm::Xlsx && options.OutputPath == "-") {
        error = "A workbook cannot be written to standard output: name a .xlsx file with -o";
        return false;
    }
    return true;
}

// Reads what both commands share; the files named after the command go to `inputs`.
bool ParseBookOptions(const QStringList& arguments, const CommandShape& shape,
                      QCommandLineParser& parser, ExportOptions& options, QStringList& inputs,
                      QString& error, QString& helpText) {
    parser.setApplicationDescription(shape.Description);
    parser.addHelpOption();
    parser.addPositionalArgument(arguments.value(1), "The command.");
    for (const QString& input : shape.Inputs)
        parser.addPositionalArgument(input, "A paving grades report to read.");
    parser.addOptions({kOutput, kFormat, kProject, kControl, kPoints, kLeftOffset, kRightOffset,
                       kLeftFrom, kRightFrom, kPage, kPaper, kDate, kStations});
    parser.addOptions(shape.ExtraOptions);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet("help")) {
        // Parsed before any application object exists, the parser does not
        // know the program's name yet.
        helpText = parser.helpText().replace("<executable_name>", "corvane") + shape.ExitStatuses;
        return true;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != shape.Inputs.size() + 1) {
        error = shape.Usage;
        return false;
    }
    if (!parser.isSet(kOutput) || parser.value(kOutput).isEmpty()) {
        error =
            "An output is required: -o FILE.txt, -o FILE.pdf, -o FILE.csv, -o FILE.xlsx or -o -";
        return false;
    }
    inputs = positional.mid(1);
    options.OutputPath = parser.value(kOutput);
    options.Inputs.ProjectNumber = parser.value(kProject).toStdString();
    options.Inputs.ControlNumber = parser.value(kControl).toStdString();
    if (parser.isSet(kStations))
        options.Stations = parser.value(kStations).toStdString();

    return ReadForm(parser, options, error) && ReadPoints(parser.value(kPoints), options, error) &&
           ReadOffsets(parser, options, error) && ReadPaper(parser.value(kPaper), options, error) &&
           (!parser.isSet(kPage) || ReadPage(parser.value(kPage), options, error)) &&
           (!parser.isSet(kDate) || ReadDate(parser.value(kDate), options, error));
}

}  // namespace

OutputForm FormOfOutput(const QString& path) {
    if (path.endsWith(".pdf", Qt::CaseInsensitive))
        return OutputForm::Pdf;
    if (path.endsWith(".csv", Qt::CaseInsensitive))
        return OutputForm::Csv;
    if (path.endsWith(".xlsx", Qt::CaseInsensitive))
        return OutputForm::Xlsx;
    return OutputForm::Text;
}

bool ParseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error,
                        QString& helpText) {
    const CommandShape shape{"Writes the grade book of a paving grades report.",
                             {"INPUT.csv"},
                             "Usage: corvane export INPUT.csv -o OUTPUT [options]",
                             kExitStatuses,
                             {}};
    QCommandLineParser parser;
    QStringList inputs;
    if (!ParseBookOptions(arguments, shape, parser, options, inputs, error, helpText))
        return false;
    if (helpText.isEmpty()) {
        options.InputFile = inputs.at(0);
        options.Inputs.InputFile = options.InputFile.toStdString();
    }
    return true;
}

bool ParseCompareOptions(const QStringList& arguments, CompareOptions& options, QString& error,
                         QString& helpText) {
    const CommandShape shape{
        "Writes what changed between two revisions of a paving grades report: both files go "
        "through the export's chain with the same options, and the cells their books print are "
        "compared.",
        {"OLD.csv", "NEW.csv"},
        "Usage: corvane compare OLD.csv NEW.csv -o OUTPUT [options]",
        kCompareExitStatuses,
        {kTolerance}};
    QCommandLineParser parser;
    QStringList inputs;
    if (!ParseBookOptions(arguments, shape, parser, options.Books, inputs, error, helpText))
        return false;
    if (!helpText.isEmpty())
        return true;
    options.OldFile = inputs.at(0);
    options.NewFile = inputs.at(1);
    const std::optional<Tolerance> tolerance =
        ParseTolerance(parser.value(kTolerance).toStdString());
    if (!tolerance) {
        error = QString("--tolerance must be a number of 0 or more, not '%1'")
                    .arg(parser.value(kTolerance));
        return false;
    }
    options.Tolerance = *tolerance;
    return true;
}

}  // namespace corvane
