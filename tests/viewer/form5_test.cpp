// The print-selected-pages dialog and the page index it opens.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "captions_fit.h"
#include "printing_book.h"
#include "viewer/dialogs.h"
#include "viewer/form5.h"
#include "viewer/form6.h"

using namespace corvane;

namespace {

template <typename Widget>
Widget* Control(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget) {
        qFatal("no control %s", name);
    }
    return widget;
}

QString Text(QWidget& dialog, const char* label) {
    return Control<QLabel>(dialog, label)->text();
}

void Type(Form5& dialog, const QString& from, const QString& to) {
    Control<QLineEdit>(dialog, "Text1")->setText(from);
    Control<QLineEdit>(dialog, "Text2")->setText(to);
}

void ClickPrint(Form5& dialog) {
    Control<QPushButton>(dialog, "Command1(1)")->click();
}

// Answers the page index by picking the entry at a list position.
ScriptedDialogs::Answer PickEntry(int position) {
    return [position](QDialog& index) {
        emit Control<QComboBox>(index, "Combo1")->activated(position);
        return index.result();
    };
}

}  // namespace

class Form5Test : public QObject {
    Q_OBJECT

  private slots:
    void undividedShowsOneTotalAndNoSideList();
    void dividedOpensOnTheLeftSide();
    void choosingTheRightSideShowsItsTotalAndRelistsTheIndex();
    void printStoresTheZeroBasedRange();
    void fromOneToOnePrintsThePageOne();
    void fromAfterToIsRefused();
    void pageFieldsOutsideTheBookAreRefused_data();
    void pageFieldsOutsideTheBookAreRefused();
    void cancelRecordsNothingToPrint();
    void pickingPageTwelvePutsItsNumberAndABlankIntoTheField();
    void leavingThePageIndexWithoutAChoiceKeepsTheField();
    void refreshFollowsANewPreview();
    void pageIndexListsAllButTheLastTwoPages();
    void pageIndexOfAShortBookIsEmpty();
    void captionsShowWhole_data();
    void captionsShowWhole();
    void captionsShowWholeAt144Dpi();
};

void Form5Test::undividedShowsOneTotalAndNoSideList() {
    State state;
    test::MakeUndividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Print Selected Pages"));
    QCOMPARE(Text(dialog, "Label4"), QStringLiteral("UNDIVIDED"));
    QVERIFY(Control<QComboBox>(dialog, "Combo2")->isHidden());
    QCOMPARE(Text(dialog, "Label3"), QStringLiteral("Total Number of Pages:"));
    QCOMPARE(Text(dialog, "Label6"), QString::number(state.cursor.LastPage + 1));
    QVERIFY(Control<QLineEdit>(dialog, "Text1")->text().isEmpty());
    QCOMPARE(Control<QPushButton>(dialog, "Command2")->text(), QStringLiteral(" . . ."));
    QCOMPARE(Control<QPushButton>(dialog, "Command1(0)")->text(), QStringLiteral("Cancel"));
}

void Form5Test::dividedOpensOnTheLeftSide() {
    State state;
    test::MakeDividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);

    auto* side = Control<QComboBox>(dialog, "Combo2");
    QVERIFY(!side->isHidden());
    QCOMPARE(side->currentText(), QStringLiteral("LeftSide"));
    QCOMPARE(Text(dialog, "Label3"), QStringLiteral("Total Left Side Pages:"));
    QCOMPARE(Text(dialog, "Label6"), QString::number(state.cursor.LastPageLeft + 1));
    QVERIFY(dialog.PageIndex().Entry(0).find(test::StationText("L", 0)) != std::string::npos);
}

void Form5Test::choosingTheRightSideShowsItsTotalAndRelistsTheIndex() {
    State state;
    test::MakeDividedBook(state, 40);
    QVERIFY(state.cursor.LastPageRight != state.cursor.LastPageLeft);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);

    auto* side = Control<QComboBox>(dialog, "Combo2");
    side->setCurrentIndex(side->findText(QStringLiteral("RightSide")));
    emit side->activated(side->currentIndex());

    QCOMPARE(Text(dialog, "Label3"), QStringLiteral("Total Right Side Pages:"));
    QCOMPARE(Text(dialog, "Label6"), QString::number(state.cursor.LastPageRight + 1));
    QCOMPARE(dialog.PageIndex().EntryCount(), state.cursor.LastPageRight - 1);
    QVERIFY(dialog.PageIndex().Entry(0).find(test::StationText("R", 0)) != std::string::npos);

    // Pages of the right side beyond the left side's total are accepted.
    const QString lastRight = QString::number(state.cursor.LastPageRight + 1);
    Type(dialog, lastRight, lastRight);
    ClickPrint(dialog);
    QVERIFY(messages.shown.empty());
    QCOMPARE(state.dialogs.PrintToPage, state.cursor.LastPageRight);
    QCOMPARE(dialog.SideText(), std::string("RightSide"));
}

void Form5Test::printStoresTheZeroBasedRange() {
    State state;
    test::MakeUndividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    Type(dialog, QStringLiteral(" 2"), QStringLiteral("3 "));
    ClickPrint(dialog);

    QCOMPARE(accepted.count(), 1);
    QVERIFY(messages.shown.empty());
    QCOMPARE(state.dialogs.PrintFromPage, int16_t{1});
    QCOMPARE(state.dialogs.PrintToPage, int16_t{2});
    QVERIFY(!state.dialogs.PrintCancelled);
}

void Form5Test::fromOneToOnePrintsThePageOne() {
    State state;
    test::MakeUndividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);

    Type(dialog, QStringLiteral("1"), QStringLiteral("1"));
    ClickPrint(dialog);

    QCOMPARE(state.dialogs.PrintFromPage, int16_t{0});
    QCOMPARE(state.dialogs.PrintToPage, int16_t{0});
    // Page 1 is a real range, not the "nothing to print" of a cancelled dialog.
    QVERIFY(!state.dialogs.PrintCancelled);
}

void Form5Test::fromAfterToIsRefused() {
    State state;
    test::MakeUndividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    Type(dialog, QStringLiteral("3"), QStringLiteral("2"));
    ClickPrint(dialog);

    QCOMPARE(messages.shown,
             std::vector<std::string>{" From Page should be smaller than To Page, Please correct"});
    QCOMPARE(accepted.count(), 0);
    QVERIFY(state.dialogs.PrintCancelled);
}

void Form5Test::pageFieldsOutsideTheBookAreRefused_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("empty from") << ""
                                << "2";
    QTest::newRow("empty to") << "1"
                              << "  ";
    QTest::newRow("not a number") << "one"
                                  << "2";
    QTest::newRow("number and text") << "1"
                                     << "2x";
    QTest::newRow("fraction") << "1.5"
                              << "2";
    QTest::newRow("zero") << "0"
                          << "2";
    QTest::newRow("negative") << "-1"
                              << "2";
    QTest::newRow("beyond the book") << "1"
                                     << "99";
    QTest::newRow("beyond 16 bits") << "1"
                                    << "70000";
}

void Form5Test::pageFieldsOutsideTheBookAreRefused() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    State state;
    test::MakeUndividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    Type(dialog, from, to);
    ClickPrint(dialog);

    const std::string pages = std::to_string(state.cursor.LastPage + 1);
    QCOMPARE(messages.shown, std::vector<std::string>{" Page numbers should be from 1 to " + pages +
                                                      ", Please correct"});
    QCOMPARE(accepted.count(), 0);
    QVERIFY(state.dialogs.PrintCancelled);
}

void Form5Test::cancelRecordsNothingToPrint() {
    State state;
    test::MakeUndividedBook(state, 40);
    state.dialogs.PrintFromPage = 2;
    state.dialogs.PrintToPage = 3;
    state.dialogs.PrintCancelled = false;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);
    QSignalSpy rejected(&dialog, &QDialog::rejected);

    Type(dialog, QStringLiteral("1"), QStringLiteral("2"));
    Control<QPushButton>(dialog, "Command1(0)")->click();

    QCOMPARE(rejected.count(), 1);
    QVERIFY(state.dialogs.PrintCancelled);
    QCOMPARE(state.dialogs.PrintFromPage, int16_t{0});
    QCOMPARE(state.dialogs.PrintToPage, int16_t{0});
    QVERIFY(messages.shown.empty());
}

void Form5Test::pickingPageTwelvePutsItsNumberAndABlankIntoTheField() {
    State state;
    test::MakeUndividedBook(state, 120);
    QVERIFY(state.cursor.LastPage >= 13);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);

    dialogs.setNextAnswer(PickEntry(11));
    Control<QPushButton>(dialog, "Command2")->click();
    QCOMPARE(state.dialogs.PageIndexPick, int16_t{11});
    QCOMPARE(Control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("12 "));

    dialogs.setNextAnswer(PickEntry(12));
    Control<QPushButton>(dialog, "Command3")->click();
    QCOMPARE(Control<QLineEdit>(dialog, "Text2")->text(), QStringLiteral("13 "));

    ClickPrint(dialog);
    QCOMPARE(state.dialogs.PrintFromPage, int16_t{11});
    QCOMPARE(state.dialogs.PrintToPage, int16_t{12});
}

void Form5Test::leavingThePageIndexWithoutAChoiceKeepsTheField() {
    State state;
    test::MakeUndividedBook(state, 120);
    RecordingMessages messages;
    ScriptedDialogs dialogs;  // no answer queued: the index is closed without a pick
    Form5 dialog(state, messages, dialogs);
    Control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("4"));

    Control<QPushButton>(dialog, "Command2")->click();

    QCOMPARE(dialogs.execCount, 1);
    QCOMPARE(Control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("4"));
}

void Form5Test::refreshFollowsANewPreview() {
    State state;
    test::MakeUndividedBook(state, 40);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);
    Type(dialog, QStringLiteral("1"), QStringLiteral("2"));

    // A new Preview of a divided file: the side list and the left total appear.
    test::MakeDividedBook(state, 40);
    dialog.Refresh();
    QCOMPARE(Text(dialog, "Label4"), QStringLiteral("DIVIDED"));
    QVERIFY(!Control<QComboBox>(dialog, "Combo2")->isHidden());
    QCOMPARE(Text(dialog, "Label3"), QStringLiteral("Total Left Side Pages:"));
    QCOMPARE(Text(dialog, "Label6"), QString::number(state.cursor.LastPageLeft + 1));

    // Then a longer undivided book: its own heading and total, the typed pages kept.
    test::MakeUndividedBook(state, 120);
    dialog.Refresh();
    QVERIFY(Control<QComboBox>(dialog, "Combo2")->isHidden());
    QCOMPARE(Text(dialog, "Label3"), QStringLiteral("Total Number of Pages:"));
    QCOMPARE(Text(dialog, "Label6"), QString::number(state.cursor.LastPage + 1));
    QCOMPARE(Control<QLineEdit>(dialog, "Text2")->text(), QStringLiteral("2"));
}

void Form5Test::pageIndexListsAllButTheLastTwoPages() {
    State state;
    // Eight stations a page; the fifth page begins with the last station.
    test::MakeUndividedBook(state, 33);
    QCOMPARE(state.cursor.LastPage, 4);

    const std::vector<std::string> entries = PageIndexEntries(state, {});

    QCOMPARE(entries.size(), size_t{3});
    QCOMPARE(entries[0],
             "1     " + test::StationText("", 0) + "        " + test::StationText("", 7));
    QCOMPARE(entries[2],
             "3     " + test::StationText("", 16) + "        " + test::StationText("", 23));
}

void Form5Test::pageIndexOfAShortBookIsEmpty() {
    State state;
    test::MakeUndividedBook(state, 9);  // two pages
    QCOMPARE(state.cursor.LastPage, 1);
    Form6 index(state);
    index.Relist({});
    QCOMPARE(index.EntryCount(), 0);
    QVERIFY(index.Entry(0).empty());
    QVERIFY(index.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText().isEmpty());
    // A divided roadway with a side that is no side lists nothing either.
    test::MakeDividedBook(state, 60);
    QVERIFY(PageIndexEntries(state, "Combo2").empty());
}

void Form5Test::captionsShowWhole_data() {
    QTest::addColumn<bool>("divided");
    QTest::addColumn<QString>("side");
    QTest::newRow("undivided") << false << QString();
    QTest::newRow("left side") << true << QStringLiteral("LeftSide");
    QTest::newRow("right side") << true << QStringLiteral("RightSide");
}

// Each total's heading, and the page index, on the dialog as it is shown.
void Form5Test::captionsShowWhole() {
    QFETCH(bool, divided);
    QFETCH(QString, side);
    State state;
    if (divided) {
        test::MakeDividedBook(state, 40);
    } else {
        test::MakeUndividedBook(state, 40);
    }
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    Form5 dialog(state, messages, dialogs);
    dialog.show();
    if (divided) {
        auto* list = Control<QComboBox>(dialog, "Combo2");
        list->setCurrentIndex(list->findText(side));
        emit list->activated(list->currentIndex());
    }
    const QString cut = test::CutCaptions(dialog) + test::CutCaptions(dialog.PageIndex());
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
}

void Form5Test::captionsShowWholeAt144Dpi() {
    const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
    QVERIFY2(failures.isEmpty(), qPrintable(failures));
}

QTEST_MAIN(Form5Test)
#include "form5_test.moc"
