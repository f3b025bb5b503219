// The print-selected-pages dialog and the page index it opens.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "captions_fit.h"
#include "sample_books.h"
#include "viewer/page_index_dialog.h"
#include "viewer/print_pages_dialog.h"

using namespace corvane;
using Shown = std::vector<std::string>;

namespace {

struct Dialog {
    ViewerState state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintPagesDialog> window;

    explicit Dialog(PreparedBooks books) {
        state.Load(std::move(books));
        window = std::make_unique<PrintPagesDialog>(state, messages, dialogs);
    }
    template <typename Widget>
    Widget* Control(const char* name) const {
        return window->findChild<Widget*>(name);
    }
    QString Text(const char* label) const { return Control<QLabel>(label)->text(); }
    void ChooseSide(const QString& side) const {
        auto* list = Control<QComboBox>("Combo2");
        list->setCurrentIndex(list->findText(side));
        emit list->activated(list->currentIndex());
    }
    PageIndexDialog* Index() const { return window->findChild<PageIndexDialog*>(); }
};

ScriptedDialogs::Answer Type(const QString& from, const QString& to) {
    return [=](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText(from);
        dialog.findChild<QLineEdit*>("Text2")->setText(to);
        dialog.findChild<QPushButton*>("Command1(1)")->click();
        return dialog.result();
    };
}

// Answers the page index by picking the entry at a list position.
ScriptedDialogs::Answer PickEntry(int position) {
    return [position](QDialog& index) {
        emit index.findChild<QComboBox*>("Combo1")->activated(position);
        return index.result();
    };
}

}  // namespace

class PrintPagesDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void eachBookShowsItsTotalAndItsPageIndex_data() {
        QTest::addColumn<bool>("divided");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("heading");
        QTest::newRow("undivided") << false << ""
                                   << "Total Number of Pages:";
        QTest::newRow("left side") << true << ""
                                   << "Total Left Side Pages:";
        QTest::newRow("right side") << true << "RightSide"
                                    << "Total Right Side Pages:";
    }
    void eachBookShowsItsTotalAndItsPageIndex() {
        QFETCH(bool, divided);
        QFETCH(QString, side);
        QFETCH(QString, heading);
        Dialog dialog(divided ? test::Divided(40) : test::Undivided(40));
        if (!side.isEmpty()) {
            dialog.ChooseSide(side);
        }
        const Side chosen = side == "RightSide" ? Side::Right : Side::Left;
        const int lastPage = test::LastPage(dialog.state, chosen);

        QCOMPARE(dialog.window->windowTitle(), QString("Print Selected Pages"));
        QCOMPARE(dialog.Text("Label4"), QString(divided ? "DIVIDED" : "UNDIVIDED"));
        QCOMPARE(dialog.Control<QComboBox>("Combo2")->isHidden(), !divided);
        if (divided) {
            QCOMPARE(dialog.Control<QComboBox>("Combo2")->currentText(),
                     side.isEmpty() ? QString("LeftSide") : side);
        }
        QCOMPARE(dialog.Text("Label3"), heading);
        QCOMPARE(dialog.Text("Label6"), QString::number(lastPage + 1));
        auto* index = dialog.Index()->findChild<QComboBox*>("Combo1");
        QCOMPARE(index->count(), lastPage - 1);
        QVERIFY(index->currentText().contains(QString::fromStdString(
            test::StationText(divided ? (chosen == Side::Left ? "L" : "R") : "", 0))));

        // The last page of the book is accepted, whatever the other side's total.
        const QString last = QString::number(lastPage + 1);
        dialog.dialogs.setNextAnswer(Type(last, last));
        QCOMPARE(dialog.window->Ask(), (PageRange{chosen, lastPage, lastPage}));
        QVERIFY(dialog.messages.shown.empty());
    }

    void printGivesTheZeroBasedRangeOfTypedPages_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("first");  // -1: refused with the message
        QTest::addColumn<QString>("message");
        const QString outside = " Page numbers should be from 1 to 6, Please correct";
        QTest::newRow("blanks around") << " 2"
                                       << "3 " << 1 << "";
        QTest::newRow("one page") << "1"
                                  << "1" << 0 << "";
        QTest::newRow("from after to")
            << "3"
            << "2" << -1 << " From Page should be smaller than To Page, Please correct";
        QTest::newRow("empty from") << ""
                                    << "2" << -1 << outside;
        QTest::newRow("blank to") << "1"
                                  << "  " << -1 << outside;
        QTest::newRow("not a number") << "one"
                                      << "2" << -1 << outside;
        QTest::newRow("number and text") << "1"
                                         << "2x" << -1 << outside;
        QTest::newRow("fraction") << "1.5"
                                  << "2" << -1 << outside;
        QTest::newRow("zero") << "0"
                              << "2" << -1 << outside;
        QTest::newRow("negative") << "-1"
                                  << "2" << -1 << outside;
        QTest::newRow("beyond the book") << "1"
                                         << "99" << -1 << outside;
        QTest::newRow("beyond 16 bits") << "1"
                                        << "70000" << -1 << outside;
    }
    void printGivesTheZeroBasedRangeOfTypedPages() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, first);
        QFETCH(QString, message);
        Dialog dialog(test::Undivided(40));
        QCOMPARE(test::LastPage(dialog.state, Side::Left), 5);
        dialog.dialogs.setNextAnswer(Type(from, to));

        const std::optional<PageRange> range = dialog.window->Ask();

        if (first < 0) {
            QVERIFY(!range);
            QCOMPARE(dialog.messages.shown, Shown{message.toStdString()});
        } else {
            QCOMPARE(range, (PageRange{Side::Left, first, to.trimmed().toInt() - 1}));
            QVERIFY(dialog.messages.shown.empty());
        }
    }

    void cancelGivesNoRange() {
        Dialog dialog(test::Undivided(40));
        dialog.dialogs.setNextAnswer([](QDialog& window) {
            window.findChild<QLineEdit*>("Text1")->setText("1");
            window.findChild<QPushButton*>("Command1(0)")->click();
            return window.result();
        });
        QCOMPARE(dialog.window->Ask(), std::nullopt);
        QVERIFY(dialog.messages.shown.empty());
    }

    void pickingPageTwelvePutsItsNumberAndABlankIntoTheField() {
        Dialog dialog(test::Undivided(120));
        dialog.dialogs.setNextAnswer(PickEntry(11));
        dialog.Control<QPushButton>("Command2")->click();
        dialog.dialogs.setNextAnswer(PickEntry(12));
        dialog.Control<QPushButton>("Command3")->click();
        QCOMPARE(dialog.Control<QLineEdit>("Text1")->text(), QString("12 "));
        QCOMPARE(dialog.Control<QLineEdit>("Text2")->text(), QString("13 "));
        // Left without a pick: the field keeps its text.
        dialog.Control<QPushButton>("Command2")->click();
        QCOMPARE(dialog.dialogs.execCount, 3);
        QCOMPARE(dialog.Control<QLineEdit>("Text1")->text(), QString("12 "));
        dialog.dialogs.setNextAnswer([](QDialog& window) {
            window.findChild<QPushButton*>("Command1(1)")->click();
            return window.result();
        });
        QCOMPARE(dialog.window->Ask(), (PageRange{Side::Left, 11, 12}));
    }

    void aNewPreviewBringsItsTypeAndTotals() {
        Dialog dialog(test::Undivided(40));
        dialog.Control<QLineEdit>("Text2")->setText("2");
        dialog.state.Load(test::Divided(40));
        dialog.window->Ask();  // no answer queued: closed without its buttons
        QCOMPARE(dialog.Text("Label4"), QString("DIVIDED"));
        QVERIFY(!dialog.Control<QComboBox>("Combo2")->isHidden());
        QCOMPARE(dialog.Text("Label3"), QString("Total Left Side Pages:"));
        QCOMPARE(dialog.Text("Label6"),
                 QString::number(test::LastPage(dialog.state, Side::Left) + 1));

        dialog.state.Load(test::Undivided(120));
        dialog.window->Ask();
        QVERIFY(dialog.Control<QComboBox>("Combo2")->isHidden());
        QCOMPARE(dialog.Text("Label3"), QString("Total Number of Pages:"));
        QCOMPARE(dialog.Text("Label6"),
                 QString::number(test::LastPage(dialog.state, Side::Left) + 1));
        QCOMPARE(dialog.Control<QLineEdit>("Text2")->text(), QString("2"));
    }

    void pageIndexListsAllButTheLastTwoPages_data() {
        QTest::addColumn<int>("stations");
        QTest::addColumn<QStringList>("entries");
        // Eight stations a page; with 33 the fifth and last page begins with the last station.
        QTest::newRow("five pages")
            << 33
            << QStringList{"1     0+00        7+00", "2     8+00        15+00",
                           "3     16+00        23+00"};
        QTest::newRow("two pages") << 9 << QStringList{};
    }
    void pageIndexListsAllButTheLastTwoPages() {
        QFETCH(int, stations);
        QFETCH(QStringList, entries);
        const PreparedBooks books = test::Undivided(stations);
        QStringList listed;
        for (const std::string& entry : PageIndexEntries(books.Books[0])) {
            listed << QString::fromStdString(entry);
        }
        QCOMPARE(listed, entries);
        PageIndexDialog index;
        index.Relist(&books.Books[0]);
        QCOMPARE(index.findChild<QComboBox*>("Combo1")->currentText(), entries.value(0));
    }

    void captionsShowWhole_data() { eachBookShowsItsTotalAndItsPageIndex_data(); }
    void captionsShowWhole() {
        QFETCH(bool, divided);
        QFETCH(QString, side);
        Dialog dialog(divided ? test::Divided(40) : test::Undivided(40));
        dialog.window->show();
        if (!side.isEmpty()) {
            dialog.ChooseSide(side);
        }
        const QString cut = test::CutCaptions(*dialog.window) + test::CutCaptions(*dialog.Index());
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }
};

QTEST_MAIN(PrintPagesDialogTest)
#include "print_pages_dialog_test.moc"
