#include "app/desktop.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "app/form2.h"
#include "app/window_services.h"
#include "report/state.h"
#include "viewer/message_box_messages.h"

namespace corvane {

namespace {

// The input file named on the command line, if any.
QString FileFromCommandLine(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Turns a paving grades report into a grade book.");
    parser.addHelpOption();
    parser.addPositionalArgument("file", "The paving grades report (.csv) to choose at start.",
                                 "[FILE.csv]");
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
}

}  // namespace

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);
    const QString file = FileFromCommandLine(app);

    State state;
    MessageBoxMessages messages;
    Dialogs dialogs;
    PrintersAndFonts printersAndFonts;
    SystemTools systemTools;
    Form2 mainWindow(state, WindowServices{messages, dialogs, printersAndFonts, systemTools});
    if (!file.isEmpty()) {
        mainWindow.ChooseFile(file);
    }
    mainWindow.show();
    return QApplication::exec();
}

}  // namespace corvane
