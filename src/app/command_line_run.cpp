#include "app/command_line_run.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "report/range_book_set.h"
#include "sheets/csv_writer.h"
#include "viewer/book_file.h"

namespace corvane {

namespace {

QString Where(const QString& path) {
    return path == "-" ? QString("standard output") : path;
}

void ShowCannotWrite(const QString& path, const QString& reason, Messages& messages) {
    messages.Show(QString("Cannot write %1: %2").arg(Where(path), reason).toStdString());
}

bool Written(const WriteOutcome& outcome, const QString& path, Messages& messages) {
    if (!outcome)
        ShowCannotWrite(path, QString::fromStdString(outcome.Reason), messages);
    return outcome.Written;
}

// Standard error carries the program's messages, one a line, for scripts to
// read; Qt's own notes about the environment (no runtime directory, no
// display) would only be noise there. Critical and fatal ones still show.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

}  // namespace

void StderrMessages::Show(const std::string& message) {
    std::cerr << message << '\n';
}

void CommandLineRun::FileNameRefused(const std::string& inputFile) {
    messages_.Show(
        "Not a paving grades report (the file name must contain .csv, in any letter case): " +
        inputFile);
}

// GCC names the address sanitizer with a macro, Clang as a feature.
#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_LEAKS_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVANE_LEAKS_CHECKED 1
#endif
#endif

int EndCommandLineRun(int status) {
#ifdef CORVANE_LEAKS_CHECKED
    return status;
#else
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);  // what the C streams under std::cout still hold
    std::_Exit(status);
#endif
}

QStringList CommandArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

std::unique_ptr<QCoreApplication> StartCommandApplication(int& argc, char** argv, OutputForm form) {
    qInstallMessageHandler(QuietQtNotes);
    if (form != OutputForm::Pdf)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<int> KeepStationsInRange(BookSet& books, const std::optional<std::string>& stations,
                                       Messages& messages) {
    if (!stations)
        return std::nullopt;
    RangeBookSet range = BooksInRange(books, *stations);
    if (!range.Books) {
        messages.Show(range.Message);
        return range.RangeRefused ? 2 : 1;
    }
    books = std::move(*range.Books);
    return std::nullopt;
}

bool WriteTextOutput(const QString& path, const std::function<bool(const PageSink&)>& produce,
                     Messages& messages) {
    BookFile output(path);
    if (!output.open(QIODevice::WriteOnly)) {
        ShowCannotWrite(path, output.errorString(), messages);
        return false;
    }
    // The text is written page by page as it is drawn; an unfinished text
    // never replaces the file at the output path.
    const bool written = produce([&output](std::string_view pages) {
        const auto size = static_cast<qint64>(pages.size());
        return output.write(pages.data(), size) == size;
    });
    if (!written || !output.Commit()) {
        ShowCannotWrite(path, output.errorString(), messages);
        return false;
    }
    return true;
}

bool WriteCsvOutput(const RowSource& table, const QString& path, Messages& messages) {
    return Written(WriteCsv(table, QFile::encodeName(path).toStdString()), path, messages);
}

bool WriteXlsxOutput(const std::vector<SheetRows>& sheets, const QString& path,
                     Messages& messages) {
    return Written(WriteXlsx(sheets, QFile::encodeName(path).toStdString()), path, messages);
}

}  // namespace corvane
