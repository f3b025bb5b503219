#include "app/export_command.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string_view>
#include <variant>

#include "app/book_run.h"
#include "app/export_options.h"
#include "app/pdf_book.h"
#include "report/text_book.h"
#include "viewer/book_file.h"

namespace corvane {

namespace {

// Every message the window would show in a box goes to standard error, one a line.
class StderrMessages : public Messages {
  public:
    void Show(const std::string& message) override { std::cerr << message << '\n'; }
};

QString CannotWrite(const QString& path, const BookFile& file) {
    const QString where = path == "-" ? QString("standard output") : path;
    return QString("Cannot write %1: %2").arg(where, file.errorString());
}

bool WriteTextForm(const PreparedBooks& books, const QString& path, Messages& messages) {
    BookFile output(path);
    if (!output.open(QIODevice::WriteOnly)) {
        messages.Show(CannotWrite(path, output).toStdString());
        return false;
    }
    // The book is written page by page as it is drawn; an unfinished book
    // never replaces the file at the output path.
    const bool written = WriteTextBook(books, books.Header, [&output](std::string_view page) {
        const auto size = static_cast<qint64>(page.size());
        return output.write(page.data(), size) == size;
    });
    if (!written || !output.Commit()) {
        messages.Show(CannotWrite(path, output).toStdString());
        return false;
    }
    return true;
}

bool WriteBook(const PreparedBooks& books, const ExportOptions& options, Messages& messages) {
    if (options.Pdf)
        return WritePdfBook(books, messages, options.OutputPath, options.Paper);
    return WriteTextForm(books, options.OutputPath, messages);
}

// The command line's part of the run: no dialog, the page it was
// given, and a refused file name said aloud where the window stops without a word.
class CommandLineRun : public RunHooks {
  public:
    CommandLineRun(Messages& messages, PageSize page) : messages_(messages), page_(page) {}
    void FileNameRefused(const std::string& inputFile) override {
        messages_.Show(
            "Not a paving grades report (the file name must contain .csv, in any letter case): " +
            inputFile);
    }
    PrinterFontChoice ChoosePrinterAndFont() override { return {{}, {}, page_}; }

  private:
    Messages& messages_;
    PageSize page_;
};

int Export(const ExportOptions& options) {
    StderrMessages messages;
    CommandLineRun commandLine(messages, options.Page);
    auto prepared = PrepareBooks(options.Inputs, messages, commandLine);
    if (const PreparedBooks* books = std::get_if<PreparedBooks>(&prepared))
        return WriteBook(*books, options, messages) ? 0 : 1;
    return 1;
}

// Standard error carries the program's messages, one a line, for scripts to
// read; Qt's own notes about the environment (no runtime directory, no
// display) would only be noise there. Critical and fatal ones still show.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

}  // namespace

int RunExport(int argc, char** argv) {
    QCoreApplication::setApplicationName("corvane");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ExportOptions options;
    QString error;
    QString help;
    if (!ParseExportOptions(arguments, options, error, help)) {
        std::cerr << error.toStdString() << "\nTry 'corvane export --help'.\n";
        return 2;
    }
    if (!help.isEmpty()) {
        std::cout << help.toStdString();
        return 0;
    }
    // Checked before anything is read or written: the book would destroy the report.
    if (OutputIsInput(options.OutputPath, options.InputFile)) {
        std::cerr << OverwritesInputMessage(options.OutputPath) << '\n';
        return 2;
    }

    qInstallMessageHandler(QuietQtNotes);
    // Only the PDF needs fonts and so a GUI application; it never opens a
    // window. The text form makes do with the much cheaper core application.
    std::unique_ptr<QCoreApplication> app;
    if (options.Pdf) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return Export(options);
}

}  // namespace corvane
