// The font and printer dialog: its lists, presets, key rule and the choice it gives.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "captions_fit.h"
#include "fake_platform.h"
#include "viewer/printer_font_dialog.h"

using namespace corvane;
using corvane::test::FakePrintersAndFonts;
using corvane::test::OfficeMachine;

namespace {

struct Dialog {
    ViewerState state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    FakePrintersAndFonts machine = OfficeMachine();

    // Loads the dialog and answers it by setting the lists and clicking a button.
    std::optional<PrinterFontChoice> Ask(const QString& printer, const QString& font,
                                         const char* button = "cmdDone") {
        PrinterFontDialog dialog(state, messages, machine);
        dialogs.setNextAnswer([&](QDialog& shown) {
            shown.findChild<QComboBox*>("combo1(0)")->setEditText(printer);
            shown.findChild<QComboBox*>("combo1(1)")->setEditText(font);
            shown.findChild<QPushButton*>(button)->click();
            return shown.result();
        });
        return dialog.Ask(dialogs);
    }
};

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items.isEmpty() ? items : items << "preset " + list->currentText();
}

}  // namespace

class PrinterFontDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void theListsHoldThePrintersAndTheReportFonts_data() {
        QTest::addColumn<QString>("chosenBefore");
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<QStringList>("printerList");
        QTest::addColumn<QStringList>("fontList");
        const QStringList office = OfficeMachine().fonts;
        QTest::newRow("the default printer, the second report font")
            << "" << office << QStringList{"Plotter", "Office Laser", "preset Office Laser"}
            << QStringList{"Courier New", "Lucida Console", "preset Lucida Console"};
        QTest::newRow("the printer chosen last, one report font")
            << "Plotter" << QStringList{"Arial", "Courier New"}
            << QStringList{"Plotter", "Office Laser", "preset Plotter"}
            << QStringList{"Courier New", "preset "};
    }
    void theListsHoldThePrintersAndTheReportFonts() {
        QFETCH(QString, chosenBefore);
        QFETCH(QStringList, fonts);
        QFETCH(QStringList, printerList);
        QFETCH(QStringList, fontList);
        Dialog run;
        run.machine.fonts = fonts;
        run.state.Choose({chosenBefore.toStdString(), "", std::nullopt});
        PrinterFontDialog dialog(run.state, run.messages, run.machine);
        QCOMPARE(dialog.objectName() + "=" + dialog.windowTitle(),
                 QString("frmSystem=Select Font and a Printer"));
        QCOMPARE(Items(dialog.findChild<QComboBox*>("combo1(0)")), printerList);
        QCOMPARE(Items(dialog.findChild<QComboBox*>("combo1(1)")), fontList);
        QVERIFY(run.messages.shown.empty());
    }

    void previewGivesTheChoiceWithThePrinterPage() {
        Dialog run;
        const std::optional<PrinterFontChoice> choice = run.Ask("Plotter", "Courier New");
        QVERIFY(choice);
        QCOMPARE(choice->PrinterName, std::string("Plotter"));
        QCOMPARE(choice->FontName, std::string("Courier New"));
        QCOMPARE(choice->PrinterPage, std::optional<PageSize>(PageSize{130, 80}));
        run.state.Choose(*choice);
        QCOMPARE(run.state.PrinterPage(), (PageSize{130, 80}));

        // A typed name the comparison does not find, exact as it is: kept for
        // the messages, while the page stays that of the printer chosen before.
        run.state.Choose(*run.Ask("office laser", ""));
        QCOMPARE(run.state.PrinterName(), std::string("office laser"));
        QCOMPARE(run.state.FontName(), std::string());
        QCOMPARE(run.state.PrinterPage(), (PageSize{130, 80}));
        QCOMPARE(CurrentPrinterName(run.state.PrinterName(), run.machine), QString("Office Laser"));
        QVERIFY(run.messages.shown.empty());
    }

    void cancelGivesNoChoice() {
        Dialog run;
        QCOMPARE(run.Ask("Plotter", "Courier New", "cmdCancel").has_value(), false);
    }

    void withNoPrinterTheListsAreEmptyAndThePageStaysLetter() {
        Dialog run;
        run.machine.printers.clear();
        run.machine.defaultPrinter.clear();
        PrinterFontDialog dialog(run.state, run.messages, run.machine);
        QCOMPARE(dialog.findChild<QComboBox*>("combo1(0)")->count(), 0);
        QCOMPARE(dialog.findChild<QComboBox*>("combo1(1)")->count(), 0);
        run.state.Choose(*run.Ask("", ""));
        QCOMPARE(run.state.PrinterPage(), (PageSize{96, 63}));
        QVERIFY(run.messages.shown.empty());
    }

    // Keys go where a user's keys go: to the widget that has the focus.
    void aKeyTypedInAListStaysThereAndMovesTheFocusOn() {
        Dialog run;
        PrinterFontDialog dialog(run.state, run.messages, run.machine);
        auto* printers = dialog.findChild<QComboBox*>("combo1(0)");
        auto* fonts = dialog.findChild<QComboBox*>("combo1(1)");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        printers->setEditText(QString());
        fonts->setEditText(QString());
        printers->setFocus();
        for (const char key : {'X', 'Y', 'Z'}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(printers->currentText() + fonts->currentText(), QString("XY"));
        QCOMPARE(QApplication::focusWidget(), dialog.findChild<QPushButton*>("cmdDone"));
        // Tab types nothing: it walks the focus one step, not two.
        printers->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), fonts);
        QVERIFY(run.messages.shown.empty());
    }

    void captionsShowWhole() {
        Dialog run;
        PrinterFontDialog dialog(run.state, run.messages, run.machine);
        const QString cut = test::CutCaptions(dialog);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }
};

QTEST_MAIN(PrinterFontDialogTest)
#include "printer_font_dialog_test.moc"
