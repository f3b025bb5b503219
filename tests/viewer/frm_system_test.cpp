// The font and printer dialog: its lists, presets, key rule and buttons.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "captions_fit.h"
#include "fake_platform.h"
#include "viewer/frm_system.h"

using namespace corvane;
using corvane::test::FakePrintersAndFonts;
using corvane::test::OfficeMachine;

namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

void Click(frmSystem& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
}

}  // namespace

class FrmSystemTest : public QObject {
    Q_OBJECT

  private slots:
    void captionsAndControls() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        QCOMPARE(dialog.objectName(), QString("frmSystem"));
        QCOMPARE(dialog.windowTitle(), QString("Select Font and a Printer"));
        QCOMPARE(dialog.findChild<QLabel*>("Label1(0)")->text(), QString("Printer Name :"));
        QCOMPARE(dialog.findChild<QLabel*>("Label1(1)")->text(), QString("Font Name :"));
        QCOMPARE(dialog.findChild<QPushButton*>("cmdDone")->text(), QString("&Preview"));
        QCOMPARE(dialog.findChild<QPushButton*>("cmdCancel")->text(), QString("&Cancel"));
        QVERIFY(dialog.findChild<QComboBox*>("combo1(0)")->isEditable());
        QVERIFY(dialog.findChild<QComboBox*>("combo1(1)")->isEditable());
        QVERIFY(messages.shown.empty());
    }

    void captionsShowWhole() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        const QString cut = test::CutCaptions(dialog);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }

    void printersInPlatformOrderWithTheCurrentOnePreset() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        QCOMPARE(Items(dialog.PrinterList()), QStringList({"Plotter", "Office Laser"}));
        QCOMPARE(dialog.PrinterList()->currentText(), QString("Office Laser"));

        // The printer accepted last time is the current one now.
        state.dialogs.ReportPrinterName = "Plotter";
        frmSystem again(state, messages, machine);
        QCOMPARE(again.PrinterList()->currentText(), QString("Plotter"));
    }

    void onlyTheReportFontsAreOfferedAndTheSecondIsPreset() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        QCOMPARE(Items(dialog.FontList()), QStringList({"Courier New", "Lucida Console"}));
        QCOMPARE(dialog.FontList()->currentText(), QString("Lucida Console"));
    }

    void withOneReportFontTheFieldStartsEmptyAndStoresEmpty() {
        State state;
        state.layout.ReportFontName = "Lucida Console";
        RecordingMessages messages;
        FakePrintersAndFonts machine = OfficeMachine();
        machine.fonts = {"Arial", "Courier New"};
        frmSystem dialog(state, messages, machine);
        QCOMPARE(Items(dialog.FontList()), QStringList({"Courier New"}));
        QCOMPARE(dialog.FontList()->currentText(), QString());
        Click(dialog, "cmdDone");
        QCOMPARE(state.layout.ReportFontName, std::string());
    }

    void previewStoresTheChoiceAndMeasuresThePrinterPage() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        dialog.PrinterList()->setCurrentIndex(0);
        dialog.FontList()->setCurrentIndex(0);
        Click(dialog, "cmdDone");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.dialogs.ReportPrinterName, std::string("Plotter"));
        QCOMPARE(state.layout.ReportFontName, std::string("Courier New"));
        QCOMPARE(state.layout.CurrentPrinterPage.Columns, 130.0);
        QCOMPARE(state.layout.CurrentPrinterPage.Lines, 80.0);
        QVERIFY(messages.shown.empty());
    }

    void aTypedUnknownPrinterIsStoredButThePageStays() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        dialog.PrinterList()->setEditText("Office laser");  // the comparison is exact
        Click(dialog, "cmdDone");
        QCOMPARE(state.dialogs.ReportPrinterName, std::string("Office laser"));
        QCOMPARE(state.layout.CurrentPrinterPage.Columns, 96.0);
        QCOMPARE(state.layout.CurrentPrinterPage.Lines, 63.0);
        // The pages keep going to the printer that was current.
        QCOMPARE(CurrentPrinterName(state, machine), QString("Office Laser"));
    }

    void cancelKeepsTheEarlierChoice() {
        State state;
        state.dialogs.ReportPrinterName = "Earlier";
        state.layout.ReportFontName = "Courier New";
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        dialog.PrinterList()->setCurrentIndex(0);
        Click(dialog, "cmdCancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(state.dialogs.ReportPrinterName, std::string("Earlier"));
        QCOMPARE(state.layout.ReportFontName, std::string("Courier New"));
    }

    void withNoPrinterTheDialogOpensWithEmptyListsAndALetterPage() {
        State state;
        RecordingMessages messages;
        FakePrintersAndFonts machine = OfficeMachine();
        machine.printers.clear();
        machine.defaultPrinter.clear();
        frmSystem dialog(state, messages, machine);
        QCOMPARE(dialog.PrinterList()->count(), 0);
        QCOMPARE(dialog.FontList()->count(), 0);
        Click(dialog, "cmdDone");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.dialogs.ReportPrinterName, std::string());
        QCOMPARE(state.layout.CurrentPrinterPage.Columns, 96.0);
        QCOMPARE(state.layout.CurrentPrinterPage.Lines, 63.0);
        QVERIFY(messages.shown.empty());
    }

    // Keys go where a user's keys go: to the widget that has the focus.
    void aKeyTypedInAListStaysThereAndMovesTheFocusOn() {
        State state;
        RecordingMessages messages;
        const FakePrintersAndFonts machine = OfficeMachine();
        frmSystem dialog(state, messages, machine);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.PrinterList()->setEditText(QString());
        dialog.FontList()->setEditText(QString());
        dialog.PrinterList()->setFocus();

        for (const char key : {'X', 'Y', 'Z'}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(dialog.PrinterList()->currentText(), QString("X"));
        QCOMPARE(dialog.FontList()->currentText(), QString("Y"));
        QCOMPARE(QApplication::focusWidget(), dialog.findChild<QPushButton*>("cmdDone"));
        QVERIFY(messages.shown.empty());

        // Tab types nothing: it walks the focus one step, not two.
        dialog.PrinterList()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.FontList());
    }
};

QTEST_MAIN(FrmSystemTest)
#include "frm_system_test.moc"
