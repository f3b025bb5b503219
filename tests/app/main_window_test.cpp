// The main window: its start-up state, the option rules, Customize, the file
// chooser, and the Preview command from the controls to the viewer.
#include <QtTest>
#include <QtWidgets>

#include <pwd.h>
#include <unistd.h>

#include <memory>

#include "app/main_window.h"
#include "bad_inputs.h"
#include "report/text_book.h"
#include "viewer/captions_fit.h"
#include "viewer/fake_platform.h"
#include "viewer/twips.h"
#include "viewer/viewer_fixture.h"

using namespace corvane;

namespace {

const QString kData = CORVANE_TEST_DATA;
using Shown = std::vector<std::string>;

// The main window on a machine with two printers, answering every dialog from a script.
struct Desktop {
    Desktop()
        : form(std::make_unique<MainWindow>(WindowServices{messages, dialogs, machine, tools})) {}

    template <typename Widget = QWidget>
    Widget* Control(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QCheckBox* Box(const char* array, int index) const {
        return Control<QCheckBox>(QString("%1(%2)").arg(array).arg(index));
    }
    QLineEdit* Text(const char* array, int index) const {
        return Control<QLineEdit>(QString("%1(%2)").arg(array).arg(index));
    }
    void Numbers() const {
        Text("Text1", 0)->setText("0417");
        Text("Text1", 1)->setText("60-1");
    }
    void Click(const QString& button) const { Control<QPushButton>(button)->click(); }
    // Whether the seven point-type boxes are all ticked (or all clear) and locked (or free).
    bool PointBoxes(bool ticked, bool enabled) const {
        for (int index = 0; index < 7; ++index)
            if (Box("Check1", index)->isChecked() != ticked ||
                Box("Check1", index)->isEnabled() != enabled)
                return false;
        return true;
    }

    // Fills the numbers, chooses the file and presses Preview; Done closes the printer dialog.
    void Preview(const QString& file, bool acceptDialog = true) {
        Numbers();
        form->ChooseFile(QDir(kData).filePath(file));  // an absolute path stays
        if (acceptDialog)
            dialogs.setNextAnswer(test::Fill({}, "cmdDone"));
        Click("Command3");
    }
    ReportViewer* Viewer() const { return form->Windows().Viewer(); }
    const ViewerState& State() const { return form->Windows().State(); }
    bool MenuShown(const char* name) const { return Viewer()->MenuItem(name)->isVisible(); }
    // The books on show with the file they came from, the side and the page.
    std::string Showing() const {
        return TextBook(State().Books(), State().Books().Header) + State().Books().SourceFile +
               char('0' + int(State().CurrentSide())) + std::to_string(State().CurrentPage());
    }

    RecordingMessages messages;
    ScriptedDialogs dialogs;
    test::FakePrintersAndFonts machine;
    test::FakeSystemTools tools;
    std::unique_ptr<MainWindow> form;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // About opens modal (through the dialogs); Customize expands the form; Enter moves on.
    void startsCollapsedThenAboutCustomizeAndEnterWork() {
        Desktop desktop;
        QCOMPARE(desktop.form->objectName(), QString("Form2"));
        QCOMPARE(desktop.Control<QLabel>("Label4")->text(), QString("#"));
        QVERIFY(desktop.PointBoxes(true, false) && desktop.form->Inputs().CheckAllPoints);
        // The books are laid out on the current printer's page from the start.
        QCOMPARE(desktop.State().PrinterPage(), (PageSize{97.5, 63.5}));
        QCOMPARE(desktop.form->height(), TwipsToPixels(3420, desktop.form->logicalDpiY()));

        QString shown;
        desktop.dialogs.setNextAnswer([&shown](QDialog& dialog) {
            shown = dialog.objectName();
            return int(QDialog::Accepted);
        });
        desktop.Click("Command2");
        QCOMPARE(shown, QString("frmAbout"));
        desktop.Click("Command5");  // Customize
        QCOMPARE(desktop.form->OuterHeightTwips(), 7980.0);
        QCOMPARE(desktop.form->height(), TwipsToPixels(7980 - 420, desktop.form->logicalDpiY()));
        QVERIFY(!desktop.Box("Check2", 0)->isHidden());
        QCOMPARE(desktop.messages.shown, Shown{"Please Input Project Number and Control Number"});
        desktop.Numbers();
        desktop.Click("Command5");
        QCOMPARE(desktop.form->OuterHeightTwips(), 3840.0);
        QVERIFY(desktop.Box("Check2", 0)->isHidden());
        QCOMPARE(desktop.messages.shown.size(), size_t{1});

        desktop.form->show();
        QVERIFY(QTest::qWaitForWindowActive(desktop.form.get()));
        desktop.Text("Text1", 0)->setFocus();
        QTest::keyClick(desktop.Text("Text1", 0), Qt::Key_Return);
        QVERIFY(desktop.Text("Text1", 1)->hasFocus());
        QTest::keyClick(desktop.Text("Text1", 1), Qt::Key_Enter);
        QVERIFY(desktop.Control("Command1")->hasFocus());
    }

    // The file chooser keeps the last choice on Cancel; the controls gather into the inputs.
    void controlsGatherIntoTheRunInputs() {
        Desktop desktop;
        auto* label = desktop.Control<QLabel>("Label4");
        desktop.Click("Command1");  // cancelled before any choice
        QCOMPARE(desktop.dialogs.lastFilter, QString("Geopak Criteria CSV Files (*.csv)"));
        QCOMPARE(desktop.form->Inputs().InputFile, std::string());
        QCOMPARE(label->text(), QString());
        for (const char* answer : {"/data/sr60.csv", ""}) {
            desktop.dialogs.setNextFileName(answer);
            desktop.Click("Command1");
            QCOMPARE(desktop.form->Inputs().InputFile, std::string("/data/sr60.csv"));
            QCOMPARE(label->text(), QString("/data/sr60.csv"));
        }
        desktop.Box("Check1", 7)->click();
        QVERIFY(desktop.PointBoxes(false, true));
        desktop.Box("Check1", 3)->click();
        desktop.Box("Check1", 6)->click();
        desktop.Box("Check2", 1)->click();
        QVERIFY(desktop.Text("Text2", 1)->isEnabled() && !desktop.Text("Text2", 0)->isEnabled());
        QVERIFY(desktop.Control("Combo1(1)")->isEnabled() &&
                desktop.Control("Label6(1)")->isEnabled());
        desktop.Text("Text2", 1)->setText("2.5");
        desktop.Control<QComboBox>("Combo1(1)")->setCurrentIndex(1);
        desktop.Text("Text1", 0)->setText("0417");

        const RunInputs inputs = desktop.form->Inputs();
        QCOMPARE(inputs.ProjectNumber, std::string("0417"));
        QVERIFY(!inputs.CheckAllPoints);
        QVERIFY(inputs.Types.JLPoints && inputs.Types.CLPoints && !inputs.Types.BOCPoints &&
                !inputs.Types.OffsetPoints);
        QVERIFY(!inputs.LeftOffset.Asked && inputs.RightOffset.Asked);
        QCOMPARE(inputs.RightOffset.Distance, std::string("2.5"));
        QVERIFY(inputs.RightOffset.From == OffsetFrom::CenterLine);
        QVERIFY(inputs.LeftOffset.From == OffsetFrom::LastPoint);

        // Unticking a row locks it and keeps what was typed; ticking all locks the seven ticked.
        desktop.Box("Check2", 1)->click();
        QVERIFY(!desktop.Text("Text2", 1)->isEnabled() &&
                !desktop.form->Inputs().RightOffset.Asked);
        QCOMPARE(desktop.Text("Text2", 1)->text(), QString("2.5"));
        desktop.Box("Check1", 7)->click();
        QVERIFY(desktop.PointBoxes(true, false));
    }

    // Collapsed and expanded, with a file chosen whose path is longer than its room.
    void captionsShowWhole() {
        Desktop desktop;
        const QString path = "/home/surveyor/projects/district four/SR 60 widening/grades/" +
                             QString(40, 'x') + "-final.csv";
        desktop.form->ChooseFile(path);
        auto* label = desktop.Control<QLabel>("Label4");
        QCOMPARE(label->toolTip(), path);
        // Cut in the middle: the start and the file name's end stay readable.
        QVERIFY(label->text().startsWith("/home/") && label->text().endsWith("-final.csv"));
        QString cut = test::CutCaptions(*desktop.form);
        desktop.Click("Command5");
        cut += test::CutCaptions(*desktop.form);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }

    // A stopped run opens no window: a missing distance (the left box's) before the dialog, a
    // printer page the book does not fit after it, naming the page.
    void stoppedPreviewsOpenNoViewer() {
        Desktop desktop;
        desktop.Box("Check2", 0)->setChecked(true);
        desktop.Preview("short-undivided.csv");
        QCOMPARE(desktop.messages.shown, Shown{"Please Enter Left offset distance"});
        QCOMPARE(desktop.dialogs.execCount, 0);
        desktop.Box("Check2", 0)->setChecked(false);
        desktop.machine.pages["Office Laser"] = PageSize{96, 110};
        desktop.Preview("short-undivided.csv");
        QCOMPARE(desktop.dialogs.execCount, 1);
        QCOMPARE(desktop.messages.shown.back(),
                 "The printer's page of 96x110 cells is outside the range the book fits on: " +
                     AcceptedPageRangeText() + ". Please choose another printer.");
        QVERIFY(desktop.Viewer() == nullptr);
    }

    // Whichever button closes the font and printer dialog, the book is shown on its first page;
    // Cancel keeps the printer and font chosen before. A second Preview reuses the open viewer.
    // Closing the main window closes every other window.
    void previewOpensTheViewerAndASecondKeepsIt() {
        Desktop desktop;
        desktop.form->show();
        desktop.Preview("sr60-undivided.csv", false);
        QVERIFY(desktop.Viewer() && desktop.Viewer()->isVisible());
        QCOMPARE(desktop.State().PrinterName(), std::string());
        desktop.Preview("sr60-undivided.csv");
        QCOMPARE(desktop.messages.shown, Shown{});
        QCOMPARE(desktop.State().PrinterName(), std::string("Office Laser"));
        QCOMPARE(desktop.State().Header().FontName, std::string("Lucida Console"));
        QVERIFY(desktop.State().BookOf(Side::Left)->Pagination.LastPage >= 1);
        QPointer<ReportViewer> viewer = desktop.Viewer();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QSize userSize(500, 400);
        viewer->resize(userSize);
        QTRY_COMPARE(viewer->size(), userSize);
        viewer->viewForward_Click();

        desktop.Preview("i4-divided.csv");
        QCOMPARE(desktop.Viewer(), viewer.data());
        QCOMPARE(viewer->size(), userSize);
        // Still the Go To entries of the roadway it was loaded for.
        QVERIFY(desktop.MenuShown("mnuGoToStation") && !desktop.MenuShown("mnuStationLeft"));
        QCOMPARE(desktop.State().CurrentSide(), Side::Left);
        QCOMPARE(desktop.State().CurrentPage(), 0);

        viewer->MenuItem("viewEnd")->trigger();
        QTRY_VERIFY(viewer.isNull());
        desktop.Preview("i4-divided.csv");
        viewer = desktop.Viewer();
        QVERIFY(viewer && desktop.MenuShown("mnuStationLeft"));
        desktop.Click("Command4");
        QVERIFY(!desktop.form->isVisible());
        QTRY_VERIFY(viewer.isNull());
        QCOMPARE(desktop.form->ExitStatus(), 0);
    }

    // Each report file chosen after a good book was previewed gives the command line's messages.
    // A refused file leaves the viewer on the previous book, page and picture alike; a readable
    // one shows its own book; a wrong side marker ends the program.
    void reportFilesGiveTheirMessagesAndNeverAHalfReplacedBook_data() { AddReportFileRows(); }
    void reportFilesGiveTheirMessagesAndNeverAHalfReplacedBook() {
        QFETCH(QByteArray, file);
        QFETCH(int, place);
        QFETCH(QString, messages);
        QFETCH(QStringList, book);
        QTemporaryDir folder;
        QFile::setPermissions(folder.path(), QFile::Permissions(0x7777));  // open to nobody
        const QString input = folder.filePath("grades.csv");
        QVERIFY(PlaceInput(input, file, place));

        Desktop desktop;
        desktop.form->show();
        desktop.Box("Check2", 0)->setChecked(true);  // as the command line's --left-offset 3
        desktop.Text("Text2", 0)->setText("3");
        desktop.Preview("i4-divided.csv");
        desktop.Viewer()->viewForward_Click();
        desktop.messages.shown.clear();
        const std::string shown = desktop.Showing();
        const QImage picture = desktop.Viewer()->grab().toImage();
        // Root passes every permission check: the file is opened as nobody.
        const bool asNobody = place == UnreadableFile && geteuid() == 0;
        if (asNobody && !(getpwnam("nobody") && seteuid(getpwnam("nobody")->pw_uid) == 0))
            QSKIP("running as root, and files cannot be opened as nobody");
        desktop.Preview(input, false);
        if (asNobody && seteuid(0) != 0)
            qFatal("cannot open files as root again");

        QString lines;
        for (const std::string& message : desktop.messages.shown)
            lines += QString::fromStdString(message) + "\n";
        QCOMPARE(lines, messages.replace("%1", input));
        if (messages.endsWith("Program Exiting\n")) {
            QVERIFY(!desktop.form->isVisible());
            QTRY_VERIFY(desktop.Viewer() == nullptr);
            QCOMPARE(desktop.form->ExitStatus(), 1);
        } else if (book.isEmpty()) {
            QCOMPARE(desktop.Showing(), shown);
            QCOMPARE(desktop.Viewer()->grab().toImage(), picture);
        } else {
            QCOMPARE(desktop.State().Books().SourceFile, input.toStdString());
            QCOMPARE(desktop.State().CurrentPage(), 0);
            const QString fault =
                BookFault(QString::fromStdString(
                              TextBook(desktop.State().Books(), desktop.State().Books().Header)),
                          book, file);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
