#include "app/export_command.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <iostream>
#include <memory>

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

// Where the text form goes: standard output, a device or pipe written in
// place, or a regular file replaced whole (an interrupted export never leaves
// half a book, and a device such as /dev/null is never replaced by a file).
class TextOutput {
  public:
    explicit TextOutput(const QString& path) : path_(path) {
        if (path == "-")
            return;
        const QFileInfo target(path);
        if (target.exists() && !target.isFile())
            device_ = std::make_unique<QFile>(path);
        else
            device_ = std::make_unique<QSaveFile>(path);
    }

    bool Open(QString& error) {
        if (!device_ || device_->open(QIODevice::WriteOnly))
            return true;
        error = Failure();
        return false;
    }

    bool Write(std::string_view text) {
        const auto size = static_cast<qint64>(text.size());
        if (!device_)
            return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
        return device_->write(text.data(), size) == size;
    }

    bool Finish(QString& error) {
        bool finished = true;
        if (!device_)
            finished = std::fflush(stdout) == 0;
        else if (auto* file = dynamic_cast<QSaveFile*>(device_.get()))
            finished = file->commit();
        else
            device_->close();
        if (!finished)
            error = Failure();
        return finished;
    }

  private:
    QString Failure() const {
        const QString reason = device_ ? device_->errorString() : QString("write error");
        return QString("Cannot write %1: %2").arg(path_, reason);
    }

    QString path_;
    std::unique_ptr<QIODevice> device_;
};

bool WriteTextForm(State& state, const QString& path, Messages& messages, QString& error) {
    TextOutput output(path);
    if (!output.Open(error))
        return false;
    bool writeFailed = false;
    const bool written = WriteTextBook(state, messages, [&](std::string_view page) {
        writeFailed = !output.Write(page);
        return !writeFailed;
    });
    if (writeFailed) {
        output.Finish(error);
        if (error.isEmpty())
            error = QString("Cannot write %1").arg(path);
        return false;
    }
    // A page that could not be drawn has shown its message; the file is
    // then left as it was (an uncommitted replacement is discarded).
    return written && output.Finish(error);
}

bool WriteBook(State& state, const ExportOptions& options, Messages& messages) {
    QString error;
    bool written = false;
    if (options.Pdf) {
        written = WritePdfBook(state, messages, options.OutputPath, options.Paper);
    } else {
        written = WriteTextForm(state, options.OutputPath, messages, error);
    }
    if (!written && !error.isEmpty())
        messages.Show(error.toStdString());
    return written;
}

int Export(const ExportOptions& options) {
    StderrMessages messages;
    // The process ends as soon as the book is written: freeing the tables'
    // hundreds of thousands of strings one by one would only delay that, so
    // the state is left for the operating system to reclaim.
    State& state = *new State;
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
    QCoreApplication::setApplicationName("corvane");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ExportOptions options;
    QString error;
    QString help;
    if (!ParseExportOptions(arguments, options, error, help)) {
        std::cerr << error.toStdString() << '\n';
        return 2;
    }
    if (!help.isEmpty()) {
        std::cout << help.toStdString();
        return 0;
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
