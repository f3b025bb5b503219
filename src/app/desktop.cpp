#include "app/desktop.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <iostream>

#include "app/main_window.h"
#include "app/window_services.h"
#include "viewer/message_box_messages.h"

namespace corvane {

namespace {

const char kProgramName[] = "corvane";

const char kDescription[] =
    "Turns a paving grades report into a grade book.\n"
    "\n"
    "  corvane [FILE.csv]                opens the main window, with FILE.csv chosen\n"
    "  corvane export FILE.csv -o BOOK   writes the grade book as text or PDF, or its\n"
    "                                    grades as CSV or XLSX, without a screen\n"
    "                                    (corvane export --help lists its options)\n"
    "  corvane compare OLD.csv NEW.csv -o CHANGES\n"
    "                                    writes what changed between two revisions\n"
    "                                    (corvane compare --help)";

const char kNoDisplay[] =
    "corvane: no display for the window (neither DISPLAY nor WAYLAND_DISPLAY is set); "
    "`corvane export FILE.csv -o BOOK` writes the grade book without one";

// What the window form's command line asks for.
struct DesktopCommand {
    enum class Action { OpenWindow, PrintHelp, PrintVersion, Refuse };
    Action action = Action::OpenWindow;
    QString file;  // the report to choose at start (absolute), or empty
    QString text;  // what to print for the other actions
};

// Reading the command line needs only a core application, which needs no
// display: help, version and a wrong command line are answered on any machine,
// before the window's application exists.
DesktopCommand ReadCommandLine(int& argc, char** argv) {
    using Action = DesktopCommand::Action;
    const QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    const QCommandLineOption help({"h", "help"}, "Displays this help.");
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument("FILE.csv", "The paving grades report to choose at start.",
                                 "[FILE.csv]");

    if (!parser.parse(QCoreApplication::arguments()))
        return {Action::Refuse, {}, parser.errorText()};
    if (parser.isSet(help))
        return {Action::PrintHelp, {}, parser.helpText()};
    if (parser.isSet(version))
        return {Action::PrintVersion, {}, QString("%1 %2\n").arg(kProgramName, CORVANE_VERSION)};
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return {Action::Refuse, {}, "Only one file can be chosen at start"};
    if (files.isEmpty())
        return {};
    return {Action::OpenWindow, QFileInfo(files.first()).absoluteFilePath(), {}};
}

// Windows always has a display. Elsewhere, without a chosen Qt platform, the
// window needs an X11 or Wayland display; a chosen one (offscreen, for
// instance) is taken as it is.
bool DisplayAvailable() {
#ifdef Q_OS_WIN
    return true;
#else
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

int OpenMainWindow(int& argc, char** argv, const QString& file) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);

    MessageBoxMessages messages;
    Dialogs dialogs;
    PrintersAndFonts printersAndFonts;
    SystemTools systemTools;
    MainWindow mainWindow(WindowServices{messages, dialogs, printersAndFonts, systemTools});
    if (!file.isEmpty()) {
        mainWindow.ChooseFile(file);
    }
    mainWindow.show();
    return QApplication::exec();
}

}  // namespace

int RunDesktop(int argc, char** argv) {
    QCoreApplication::setApplicationName(kProgramName);
    QCoreApplication::setApplicationVersion(CORVANE_VERSION);
    const DesktopCommand command = ReadCommandLine(argc, argv);
    switch (command.action) {
        case DesktopCommand::Action::PrintHelp:
        case DesktopCommand::Action::PrintVersion:
            std::cout << command.text.toStdString();
            return 0;
        case DesktopCommand::Action::Refuse:
            std::cerr << command.text.toStdString() << "\nTry 'corvane --help'.\n";
            return 2;
        case DesktopCommand::Action::OpenWindow:
            break;
    }
    if (!DisplayAvailable()) {
        std::cerr << kNoDisplay << '\n';
        return 1;
    }
    return OpenMainWindow(argc, argv, command.file);
}

}  // namespace corvane
