// The main window: its start-up state, the option rules, Customize, the file
// chooser, and the Preview command from the inputs to the viewer.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>

#include "app/form2.h"
#include "report/page_renderer.h"
#include "report/recording_surface.h"
#include "viewer/captions_fit.h"
#include "viewer/fake_platform.h"
#include "viewer/frm_print.h"
#include "viewer/twips.h"

using namespace corvane;

namespace {

const QString kData = CORVANE_TEST_DATA;
using Shown = std::vector<std::string>;

// The main window on a machine with two printers, answering every dialog from a script.
struct Desktop {
    Desktop() {
        form = std::make_unique<Form2>(state, WindowServices{messages, dialogs, machine, tools});
    }
    ~Desktop() { form.reset(); }

    template <typename Widget>
    Widget* Control(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        if (!widget) {
            qFatal("no control %s", qPrintable(name));
        }
        return widget;
    }
    QCheckBox* Check1(int index) const {
        return Control<QCheckBox>(QString("Check1(%1)").arg(index));
    }
    QCheckBox* Check2(int index) const {
        return Control<QCheckBox>(QString("Check2(%1)").arg(index));
    }
    QLineEdit* Text1(int index) const {
        return Control<QLineEdit>(QString("Text1(%1)").arg(index));
    }
    QLineEdit* Text2(int index) const {
        return Control<QLineEdit>(QString("Text2(%1)").arg(index));
    }
    void Click(const QString& button) const { Control<QPushButton>(button)->click(); }

    // Fills the numbers, chooses the file, and presses Preview with the
    // font and printer dialog accepted.
    void Preview(const QString& file) {
        Text1(0)->setText("0417");
        Text1(1)->setText("60-1");
        form->ChooseFile(kData + "/" + file);
        dialogs.setNextAnswer([](QDialog& dialog) {
            dialog.findChild<QPushButton*>("cmdDone")->click();
            return dialog.result();
        });
        Click("Command3");
    }
    frmPrint* Viewer() const { return form->Windows().Viewer(); }

    State state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    test::FakePrintersAndFonts machine = test::OfficeMachine();
    test::FakeSystemTools tools;
    std::unique_ptr<Form2> form;
};

std::vector<int32_t> PointFlags(const OptionFlags& flags) {
    return {flags.ShowOffsetPoints, flags.ShowBreakPoints, flags.ShowEdgeOfPavement,
            flags.ShowJLPoints,     flags.ShowFOCPoints,   flags.ShowBOCPoints,
            flags.ShowCLPoints};
}

// The page-number line of the page the cursor is on.
std::string PageNumberLine(State& state) {
    RecordingSurface surface(SurfaceKind::Window);
    RecordingMessages messages;
    ToPrintAllForms(surface, state, 50, messages);
    for (const RecordedText& text : surface.texts) {
        if (text.text.find("Page No.:") != std::string::npos) {
            return text.text;
        }
    }
    return {};
}

bool IsShown(const Shown& shown, const std::string& text) {
    return std::find(shown.begin(), shown.end(), text) != shown.end();
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

  private slots:
    void startsWithEveryPointTypeTickedAndLocked() {
        Desktop desktop;
        QCOMPARE(desktop.form->objectName(), QString("Form2"));
        QCOMPARE(desktop.form->windowTitle(), QString("Paving Grades Report"));
        QCOMPARE(PointFlags(desktop.state.flags), std::vector<int32_t>(7, 1));
        QVERIFY(desktop.Check1(7)->isChecked());
        for (int index = 0; index < 7; ++index) {
            QVERIFY(desktop.Check1(index)->isChecked());
            QVERIFY(!desktop.Check1(index)->isEnabled());
        }
        QCOMPARE(desktop.state.tables.Sections.size(), size_t{2001});
        QCOMPARE(desktop.state.cursor.PageStartLeft.front().Text(), std::string("0:0"));
        QCOMPARE(desktop.Control<QLabel>("Label4")->text(), QString("#"));
        // The book is laid out on the current printer's page from the start.
        QCOMPARE(desktop.state.layout.CurrentPrinterPage.Columns, 97.5);
        QVERIFY(desktop.messages.shown.empty());
    }

    void controlsCarryTheirCaptions() {
        Desktop desktop;
        const std::vector<std::pair<QString, QString>> buttons = {{"Command1", "File Browse"},
                                                                  {"Command2", "About"},
                                                                  {"Command3", "Preview"},
                                                                  {"Command4", "Close"},
                                                                  {"Command5", "Customize Rpt."}};
        for (const auto& [name, caption] : buttons) {
            QCOMPARE(desktop.Control<QPushButton>(name)->text(), caption);
        }
        QCOMPARE(desktop.Check2(0)->text(), QString("Left offset points with "));
        QCOMPARE(desktop.Check2(1)->text(), QString("Right offset points with "));
        QCOMPARE(desktop.Control<QLabel>("Label6(0)")->text(), QString("offset from "));
        QCOMPARE(desktop.Check1(2)->text(), QString("Edge of Pavement"));
        QCOMPARE(desktop.Check1(7)->text(), QString("Check All Points"));
        auto* combo = desktop.Control<QComboBox>("Combo1(1)");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QString("From Last Point"));
        QCOMPARE(combo->itemText(1), QString("From Center Line"));
        QCOMPARE(combo->currentText(), QString("From Last Point"));
        // Placed in twips: Preview at 5040, 3000.
        const QRect preview = desktop.Control<QPushButton>("Command3")->geometry();
        QCOMPARE(preview, TwipsRect(*desktop.form, 5040, 3000, 1215, 375));
    }

    void checkAllPointsDrivesTheSevenBoxes() {
        Desktop desktop;
        desktop.Check1(7)->click();
        QCOMPARE(PointFlags(desktop.state.flags), std::vector<int32_t>(7, 0));
        for (int index = 0; index < 7; ++index) {
            QVERIFY(!desktop.Check1(index)->isChecked());
            QVERIFY(desktop.Check1(index)->isEnabled());
        }

        desktop.Check1(3)->click();
        QCOMPARE(desktop.state.flags.ShowJLPoints, 1);
        desktop.Check1(6)->click();
        QCOMPARE(desktop.state.flags.ShowCLPoints, 1);
        QCOMPARE(desktop.state.flags.ShowBOCPoints, 0);

        desktop.Check1(7)->click();
        QCOMPARE(PointFlags(desktop.state.flags), std::vector<int32_t>(7, 1));
        for (int index = 0; index < 7; ++index) {
            QVERIFY(desktop.Check1(index)->isChecked());
            QVERIFY(!desktop.Check1(index)->isEnabled());
        }
    }

    void anOffsetBoxEnablesOnlyItsOwnRow() {
        Desktop desktop;
        auto* leftCombo = desktop.Control<QComboBox>("Combo1(0)");
        auto* leftLabel = desktop.Control<QLabel>("Label6(0)");
        QVERIFY(!desktop.Text2(0)->isEnabled() && !leftLabel->isEnabled() &&
                !leftCombo->isEnabled());

        desktop.Check2(0)->click();
        QVERIFY(desktop.Text2(0)->isEnabled() && leftLabel->isEnabled() && leftCombo->isEnabled());
        QVERIFY(!desktop.Text2(1)->isEnabled());
        QCOMPARE(desktop.state.flags.LeftOffsetPoints, 1);
        QCOMPARE(desktop.state.flags.RightOffsetPoints, 0);

        desktop.Text2(0)->setText("5");
        desktop.Check2(0)->click();
        QVERIFY(!desktop.Text2(0)->isEnabled() && !leftCombo->isEnabled());
        QCOMPARE(desktop.state.flags.LeftOffsetPoints, 0);
        QCOMPARE(desktop.Text2(0)->text(), QString("5"));
    }

    void customizeExpandsAndCollapses() {
        Desktop desktop;
        const int dpi = desktop.form->logicalDpiY();
        QCOMPARE(desktop.form->OuterHeightTwips(), 3840.0);
        QCOMPARE(desktop.form->height(), TwipsToPixels(3420, dpi));
        QCOMPARE(desktop.form->width(), TwipsToPixels(8370, desktop.form->logicalDpiX()));
        QVERIFY(desktop.Check2(0)->isHidden());

        desktop.Click("Command5");
        QCOMPARE(desktop.form->OuterHeightTwips(), 7980.0);
        QCOMPARE(desktop.form->height(), TwipsToPixels(7980 - 420, dpi));
        QVERIFY(!desktop.Check2(0)->isHidden());
        QCOMPARE(desktop.messages.shown, Shown{"Please Input Project Number and Control Number"});

        desktop.Text1(0)->setText("0417");
        desktop.Text1(1)->setText("60-1");
        desktop.Click("Command5");
        QCOMPARE(desktop.form->OuterHeightTwips(), 3840.0);
        QCOMPARE(desktop.form->height(), TwipsToPixels(3420, dpi));
        QCOMPARE(desktop.messages.shown.size(), size_t{1});
    }

    void enterMovesTheFocusThroughTheNumbers() {
        Desktop desktop;
        desktop.form->show();
        QVERIFY(QTest::qWaitForWindowActive(desktop.form.get()));
        desktop.Text1(0)->setFocus();
        QTest::keyClick(desktop.Text1(0), Qt::Key_Return);
        QVERIFY(desktop.Text1(1)->hasFocus());
        QTest::keyClick(desktop.Text1(1), Qt::Key_Enter);
        QVERIFY(desktop.Control<QPushButton>("Command1")->hasFocus());
    }

    void fileBrowseKeepsTheLastChoiceOnCancel() {
        Desktop desktop;
        auto* label = desktop.Control<QLabel>("Label4");
        desktop.Click("Command1");  // cancelled before any choice
        QCOMPARE(desktop.dialogs.lastFilter, QString("Geopak Criteria CSV Files (*.csv)"));
        QCOMPARE(desktop.state.settings.InputFile, std::string());
        QCOMPARE(label->text(), QString());

        desktop.dialogs.setNextFileName("/data/sr60.csv");
        desktop.Click("Command1");
        QCOMPARE(desktop.state.settings.InputFile, std::string("/data/sr60.csv"));
        QCOMPARE(label->text(), QString("/data/sr60.csv"));

        desktop.Click("Command1");  // cancelled
        QCOMPARE(desktop.state.settings.InputFile, std::string("/data/sr60.csv"));
        QCOMPARE(label->text(), QString("/data/sr60.csv"));
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
        QVERIFY(label->text().contains(QChar(0x2026)));
        QString cut = test::CutCaptions(*desktop.form);
        desktop.Click("Command5");
        cut += test::CutCaptions(*desktop.form);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));

        // A short path shows whole.
        desktop.form->ChooseFile("/data/sr60.csv");
        QCOMPARE(label->text(), QString("/data/sr60.csv"));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }

    void previewChecksItsInputsInOrder() {
        Desktop desktop;
        desktop.form->ChooseFile(kData + "/short-undivided.csv");
        desktop.Check2(0)->click();
        desktop.Check2(1)->click();
        desktop.Click("Command3");
        // The reminder does not stop; the missing left distance does, alone.
        QCOMPARE(desktop.messages.shown, (Shown{"Please Enter Project Number and Control Number",
                                                "Please Enter Left offset distance"}));

        desktop.messages.shown.clear();
        desktop.Text1(0)->setText("0417");
        desktop.Text1(1)->setText("60-1");
        desktop.Text2(0)->setText("3");
        desktop.Click("Command3");
        QCOMPARE(desktop.messages.shown, Shown{"Please Enter Right offset distance"});

        desktop.messages.shown.clear();
        desktop.Text2(1)->setText("three");
        desktop.Click("Command3");
        QCOMPARE(desktop.messages.shown, Shown{"Right offset distance must be a number"});
        QCOMPARE(desktop.dialogs.execCount, 0);
        QVERIFY(desktop.Viewer() == nullptr);
    }

    void aFileThatIsNotCsvDoesNothing() {
        Desktop desktop;
        desktop.Text1(0)->setText("0417");
        desktop.Text1(1)->setText("60-1");
        desktop.form->ChooseFile(kData + "/notes.txt");
        desktop.Click("Command3");
        QVERIFY(desktop.messages.shown.empty());
        QCOMPARE(desktop.dialogs.execCount, 0);
        QVERIFY(desktop.Viewer() == nullptr);
    }

    void previewOfAnUndividedBookOpensTheViewerOnItsFirstPage() {
        Desktop desktop;
        desktop.Preview("sr60-undivided.csv");
        QCOMPARE(desktop.messages.shown, Shown{});
        QCOMPARE(desktop.dialogs.execCount, 1);
        QCOMPARE(desktop.state.dialogs.ReportPrinterName, std::string("Office Laser"));
        QCOMPARE(desktop.state.layout.ReportFontName, std::string("Lucida Console"));

        frmPrint* viewer = desktop.Viewer();
        QVERIFY(viewer != nullptr);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->MenuItem("mnuGoToStation")->isVisible());
        QVERIFY(!viewer->MenuItem("mnuStationLeft")->isVisible());
        QCOMPARE(desktop.state.cursor.CurrentPage, 0);
        const int32_t lastPage = desktop.state.cursor.LastPage;
        QVERIFY(lastPage >= 1);
        QCOMPARE(PageNumberLine(desktop.state), "Page No.:1 of " + std::to_string(lastPage + 1));

        viewer->viewBackward_Click();
        QCOMPARE(desktop.messages.shown, Shown{" First Page can't move backward"});
        for (int32_t page = 0; page < lastPage; ++page) {
            viewer->viewForward_Click();
        }
        QCOMPARE(desktop.state.cursor.CurrentPage, lastPage);
        viewer->viewForward_Click();
        QCOMPARE(desktop.messages.shown,
                 (Shown{" First Page can't move backward", " Last Page can't move forward"}));
    }

    void previewOfADividedBookPagesAcrossBothSides() {
        Desktop desktop;
        desktop.Preview("i4-divided.csv");
        QCOMPARE(desktop.messages.shown, Shown{});
        frmPrint* viewer = desktop.Viewer();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        QVERIFY(!viewer->MenuItem("mnuGoToStation")->isVisible());
        QVERIFY(viewer->MenuItem("mnuStationRight")->isVisible());

        State& state = desktop.state;
        QCOMPARE(state.settings.CurrentSide, kLeftSide);
        QCOMPARE(state.cursor.CurrentPage, 0);
        const int32_t lastLeft = state.cursor.LastPageLeft;
        const int32_t lastRight = state.cursor.LastPageRight;
        QCOMPARE(PageNumberLine(state), "(Left)Page No.:1 of " + std::to_string(lastLeft + 1));

        viewer->viewBackward_Click();
        for (int32_t step = 0; step < lastLeft + 1 + lastRight; ++step) {
            viewer->viewForward_Click();
        }
        QCOMPARE(state.settings.CurrentSide, kRightSide);
        QCOMPARE(state.cursor.CurrentPage, lastRight);
        QCOMPARE(PageNumberLine(state), "(Right)Page No.:" + std::to_string(lastRight + 1) +
                                            " of " + std::to_string(lastRight + 1));
        viewer->viewForward_Click();
        QCOMPARE(desktop.messages.shown,
                 (Shown{" First Page can't move backward", " Last Page can't move forward"}));

        for (int32_t step = 0; step < lastRight + 1; ++step) {
            viewer->viewBackward_Click();
        }
        QCOMPARE(state.settings.CurrentSide, kLeftSide);
        QCOMPARE(state.cursor.CurrentPage, lastLeft);
        QCOMPARE(desktop.messages.shown.size(), size_t{2});
    }

    void aSecondPreviewKeepsTheOpenViewer() {
        Desktop desktop;
        desktop.Preview("short-undivided.csv");
        QPointer<frmPrint> viewer = desktop.Viewer();
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QSize userSize(500, 400);
        viewer->resize(userSize);
        QTRY_COMPARE(viewer->size(), userSize);

        desktop.Preview("i4-divided.csv");
        QCOMPARE(desktop.Viewer(), viewer.data());
        QCOMPARE(viewer->size(), userSize);
        // Still the Go To entries of the roadway it was loaded for.
        QVERIFY(viewer->MenuItem("mnuGoToStation")->isVisible());
        QVERIFY(!viewer->MenuItem("mnuStationLeft")->isVisible());
        QCOMPARE(desktop.state.settings.CurrentSide, kLeftSide);
        QCOMPARE(desktop.state.cursor.CurrentPage, 0);

        // Once it is closed, the next Preview loads a fresh one.
        viewer->viewEnd_Click();
        QTRY_VERIFY(viewer.isNull());
        desktop.Preview("i4-divided.csv");
        QVERIFY(desktop.Viewer() != nullptr);
        QVERIFY(desktop.Viewer()->MenuItem("mnuStationLeft")->isVisible());
        QVERIFY(!IsShown(desktop.messages.shown, " Last Page can't move forward"));
    }

    void cancellingTheFontDialogStillShowsTheBook() {
        Desktop desktop;
        desktop.Text1(0)->setText("0417");
        desktop.Text1(1)->setText("60-1");
        desktop.form->ChooseFile(kData + "/short-undivided.csv");
        desktop.Click("Command3");  // no answer queued: the dialog is cancelled
        QCOMPARE(desktop.dialogs.execCount, 1);
        QVERIFY(desktop.Viewer() != nullptr && desktop.Viewer()->isVisible());
        QCOMPARE(desktop.state.dialogs.ReportPrinterName, std::string());
    }

    // A printer whose page the layout does not fit stops the run before the
    // pages are counted: a message with the page in cells and the range, no viewer.
    void aPrinterPageOutsideTheRangeStopsThePreview() {
        Desktop desktop;
        desktop.machine.pages["Office Laser"] = PageSize{96, 110};
        desktop.Preview("short-undivided.csv");
        QCOMPARE(desktop.messages.shown.size(), size_t{1});
        const QString shown = QString::fromStdString(desktop.messages.shown.front());
        const QStringList named{"96x110", "88.5", "1000", "61.5", "105.5"};
        for (const QString& text : named)
            QVERIFY2(shown.contains(text), qPrintable(shown));
        QVERIFY(desktop.Viewer() == nullptr);
        QVERIFY(desktop.state.stations.Combo1.empty());
    }

    void aboutShowsTheAboutBoxModally() {
        Desktop desktop;
        QString shown;
        desktop.dialogs.setNextAnswer([&shown](QDialog& dialog) {
            shown = dialog.objectName();
            return int(QDialog::Accepted);
        });
        desktop.Click("Command2");
        QCOMPARE(shown, QString("frmAbout"));
    }

    void aWrongSideMarkerEndsTheProgramAfterItsMessage() {
        QTemporaryDir folder;
        QFile source(kData + "/i4-divided.csv");
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray text = source.readAll();
        const qsizetype secondRow = text.indexOf("LEFT,", text.indexOf("LEFT,") + 1);
        text.replace(secondRow, 5, "LEFTX,");
        QFile broken(folder.filePath("broken.csv"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(text);
        broken.close();

        Desktop desktop;
        desktop.form->show();
        desktop.Text1(0)->setText("0417");
        desktop.Text1(1)->setText("60-1");
        desktop.form->ChooseFile(broken.fileName());
        desktop.Click("Command3");
        QCOMPARE(desktop.messages.shown.size(), size_t{1});
        QVERIFY(!desktop.form->isVisible());
        QVERIFY(desktop.Viewer() == nullptr);
        QCOMPARE(desktop.form->ExitStatus(), 1);
    }

    void closingTheMainWindowClosesEveryOtherWindow() {
        Desktop desktop;
        desktop.form->show();
        desktop.Preview("short-undivided.csv");
        QPointer<frmPrint> viewer = desktop.Viewer();
        QVERIFY(viewer && viewer->isVisible());
        desktop.Click("Command4");
        QVERIFY(!desktop.form->isVisible());
        QTRY_VERIFY(viewer.isNull());
    }
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
