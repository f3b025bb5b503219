// The station finder: its lists, their presets, and Find on both books.
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "captions_fit.h"
#include "sample_books.h"
#include "viewer/station_finder.h"

using namespace corvane;
using Shown = std::vector<std::string>;

namespace {

struct Finder {
    ViewerState state;
    RecordingMessages messages;
    int redraws = 0;
    std::unique_ptr<StationFinder> window;

    explicit Finder(PreparedBooks books) {
        state.Load(std::move(books));
        window = std::make_unique<StationFinder>(state, messages, [this] { ++redraws; });
    }
    QComboBox* List(const char* name) const { return window->findChild<QComboBox*>(name); }
    // Chooses the first entry of a station in a list and presses Find.
    void Find(const char* list, const std::string& station) const {
        QComboBox* entries = List(list);
        for (int i = 0; i < entries->count(); ++i) {
            if (entries->itemText(i).endsWith(QString::fromStdString(" " + station))) {
                entries->setCurrentIndex(i);
                break;
            }
        }
        window->findChild<QPushButton*>("Command1")->click();
    }
};

}  // namespace

class StationFinderTest : public QObject {
    Q_OBJECT

  private slots:
    void readsThePageNumberBeforeTheFirstBlank_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("page");  // 0: no page, for the reason given
        QTest::addColumn<QString>("why");
        QTest::newRow("entry") << "7            10+00" << 7 << "";
        QTest::newRow("blanks around") << "  12            1 2" << 12 << "";
        QTest::newRow("negative") << "-3 x" << -3 << "";
        QTest::newRow("no blank") << "7" << 0 << "Type mismatch";
        QTest::newRow("a word") << "seven 10+00" << 0 << "Type mismatch";
        QTest::newRow("beyond 16 bits") << "40000 10+00" << 0 << "Overflow";
    }
    void readsThePageNumberBeforeTheFirstBlank() {
        QFETCH(QString, entry);
        QFETCH(int, page);
        QFETCH(QString, why);
        std::string reason;
        const std::optional<int> read = ReadEntryPageNumber(entry.toStdString(), reason);
        QCOMPARE(read.value_or(0), page);
        QCOMPARE(QString::fromStdString(reason), why);
    }

    void findMovesToThePageOfTheStation_data() {
        QTest::addColumn<bool>("divided");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("first");  // the entry preset
        QTest::addColumn<QString>("station");
        QTest::addColumn<int>("page");
        // Eight one-line stations a page; right stations take two lines, four a page.
        QTest::newRow("undivided") << false << false << "1            0+00"
                                   << "50+00" << 6;
        QTest::newRow("left side") << true << false << "1            L0+00"
                                   << "L17+00" << 2;
        QTest::newRow("right side") << true << true << "1            R0+00"
                                    << "R5+00" << 1;
    }
    void findMovesToThePageOfTheStation() {
        QFETCH(bool, divided);
        QFETCH(bool, right);
        QFETCH(QString, first);
        QFETCH(QString, station);
        QFETCH(int, page);
        Finder finder(divided ? test::Divided(60) : test::Undivided(60));
        finder.window->Open(right ? Side::Right : Side::Left);
        QCOMPARE(finder.window->windowTitle(), QString("Find Station on the Page"));
        QVERIFY(finder.window->isVisible() && !finder.window->isModal());
        QCOMPARE(finder.List("Combo1")->isVisible(), !right);
        QCOMPARE(finder.List("Combo2")->isVisible(), right);
        QCOMPARE(finder.List(right ? "Combo2" : "Combo1")->currentText(), first);

        finder.Find(right ? "Combo2" : "Combo1", station.toStdString());

        QCOMPARE(finder.state.CurrentSide(), right ? Side::Right : Side::Left);
        QCOMPARE(finder.state.CurrentPage(), page);
        QCOMPARE(finder.redraws, 1);
        QVERIFY(!finder.window->isVisible());
        QVERIFY(finder.messages.shown.empty());
    }

    void anEditedEntryIsReadOrReported_data() {
        QTest::addColumn<QString>("edited");
        QTest::addColumn<int>("page");  // where the viewer is after Find
        QTest::addColumn<QString>("message");
        QTest::newRow("no blank") << "3" << 2 << " Program Error : Type mismatch";
        QTest::newRow("not a number") << "three R1+00" << 2 << " Program Error : Type mismatch";
        QTest::newRow("too large") << "99999 R1+00" << 2 << " Program Error : Overflow";
        QTest::newRow("after the book") << "500 R1+00" << -1 << "";
        QTest::newRow("before the book") << "0 R1+00" << 0 << "";
    }
    void anEditedEntryIsReadOrReported() {
        QFETCH(QString, edited);
        QFETCH(int, page);
        QFETCH(QString, message);
        Finder finder(test::Divided(40));
        QVERIFY(finder.state.GoTo(Side::Right, 2));
        finder.window->Open(Side::Right);

        finder.List("Combo2")->setEditText(edited);
        finder.window->Command1_Click();

        QCOMPARE(finder.state.CurrentPage(),
                 page < 0 ? test::LastPage(finder.state, Side::Right) : page);
        QCOMPARE(finder.messages.shown, message.isEmpty() ? Shown{} : Shown{message.toStdString()});
        // A message keeps the finder shown, so the entry can be corrected.
        QCOMPARE(finder.window->isVisible(), !message.isEmpty());
    }

    void aNewPreviewBringsItsOwnStations() {
        Finder finder(test::Undivided(60));
        finder.window->Open(Side::Left);
        QComboBox* list = finder.List("Combo1");
        list->setCurrentIndex(list->count() - 1);

        // A Preview while the finder is open: Find offers the new stations first.
        finder.state.Load(test::Undivided(10));
        finder.window->Command1_Click();
        QCOMPARE(finder.redraws, 0);
        QVERIFY(finder.window->isVisible());
        QCOMPARE(list->count(), 10);
        QCOMPARE(list->currentText(), QString("1            0+00"));
        finder.Find("Combo1", "9+00");
        QCOMPARE(finder.state.CurrentPage(), 1);
    }

    void captionsShowWhole() {
        Finder finder(test::Undivided(60));
        finder.window->Open(Side::Left);
        const QString cut = test::CutCaptions(*finder.window);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }
};

QTEST_MAIN(StationFinderTest)
#include "station_finder_test.moc"
