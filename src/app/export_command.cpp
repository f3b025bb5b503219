#include "app/export_command.h"

#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <iostream>

#include "app/export_options.h"
#include "app/pdf_book.h"
#include "app/run_driver.h"
#include "app/text_book.h"

namespace corvane {

namespace {

// Every message the window would show in a box goes to standard error, one a line.
class StderrMessages : public Messages {
  public:
    void Show(const std::string& message) override { std::cerr << message << '\n'; }
};

void ApplyOptions(const ExportOptions& options, State& state) {
    state.settings.InputFile = options.InputFile.toStdString();
    state.flags = options.Flags;
    state.layout.CurrentPrinterPage = options.Page;
    state.layout.HeaderDate = options.HeaderDate;
}

bool WriteText(const std::string& text, const QString& path, QString& error) {
    if (path == "-") {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0;
    }
    // Written whole or not at all: an interrupted export never leaves half a book.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        error = QString("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool WriteBook(State& state, const ExportOptions& options, Messages& messages) {
    QString error;
    bool written = false;
    if (options.Pdf) {
        written = WritePdfBook(state, messages, options.OutputPath, options.Paper, error);
    } else {
        std::string text;
        written =
            WriteTextBook(state, messages, text) && WriteText(text, options.OutputPath, error);
    }
    if (!written && !error.isEmpty())
        messages.Show(error.toStdString());
    return written;
}

int Export(const ExportOptions& options) {
    StderrMessages messages;
    State state;
    InitializeState(state);
    ApplyOptions(options, state);

    if (!options.InputFile.toUpper().contains(".CSV")) {
        messages.Show("Not a paving grades report (the file name must end in .csv): " +
                      options.InputFile.toStdString());
        return 1;
    }
    PreviewHooks noWindow;
    switch (RunPreview(state, options.Inputs, messages, noWindow)) {
        case RunOutcome::Shown:
            return WriteBook(state, options, messages) ? 0 : 1;
        case RunOutcome::Stopped:
        case RunOutcome::EndProgram:
            break;
    }
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
    // The export never opens a window; it needs fonts for PDF output only.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtNotes);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName("corvane");

    ExportOptions options;
    QString error;
    QString help;
    if (!ParseExportOptions(QGuiApplication::arguments(), options, error, help)) {
        std::cerr << error.toStdString() << '\n';
        return 2;
    }
    if (!help.isEmpty()) {
        std::cout << help.toStdString();
        return 0;
    }
    return Export(options);
}

}  // namespace corvane
