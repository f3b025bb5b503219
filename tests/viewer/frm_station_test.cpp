// The station finder: its lists, their presets, and Find on both books.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "captions_fit.h"
#include "printing_book.h"
#include "viewer/frm_station.h"

using namespace corvane;

namespace {

QComboBox* List(frmStation& finder, const char* name) {
    return finder.findChild<QComboBox*>(QString::fromLatin1(name));
}

// The position of the first entry of a station in a list.
int EntryOf(QComboBox& list, const std::string& station) {
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i).endsWith(QString::fromStdString(" " + station))) {
            return i;
        }
    }
    return -1;
}

struct Finder {
    State state;
    RecordingMessages messages;
    int redraws = 0;
    std::unique_ptr<frmStation> window;

    void Make() {
        window = std::make_unique<frmStation>(state, messages, [this] { ++redraws; });
    }
};

}  // namespace

class FrmStationTest : public QObject {
    Q_OBJECT

  private slots:
    void readsThePageNumberBeforeTheFirstBlank();
    void goToStationPresetsTheFirstStationOfPageOne();
    void findMovesToThePageOfTheStation();
    void findOnTheRightSide();
    void anUnreadableEntryIsReportedAndTheFinderStays_data();
    void anUnreadableEntryIsReportedAndTheFinderStays();
    void aPageOutsideTheBookIsKeptWithinIt();
    void theListsShowOnlyTheLastPreview();
    void aPreviewWhileTheFinderIsOpenOffersTheNewStations();
    void captionsShowWhole();
    void captionsShowWholeAt144Dpi();
};

void FrmStationTest::readsThePageNumberBeforeTheFirstBlank() {
    std::string why;
    QCOMPARE(ReadEntryPageNumber("7            10+00", why), std::optional<int32_t>(7));
    QCOMPARE(ReadEntryPageNumber("  12            1 2", why), std::optional<int32_t>(12));
    QCOMPARE(ReadEntryPageNumber("-3 x", why), std::optional<int32_t>(-3));

    QVERIFY(!ReadEntryPageNumber("7", why));  // no blank: no page number
    QCOMPARE(why, std::string("Type mismatch"));
    QVERIFY(!ReadEntryPageNumber("seven 10+00", why));
    QCOMPARE(why, std::string("Type mismatch"));
    QVERIFY(!ReadEntryPageNumber("40000 10+00", why));
    QCOMPARE(why, std::string("Overflow"));
}

void FrmStationTest::goToStationPresetsTheFirstStationOfPageOne() {
    Finder finder;
    test::MakeUndividedBook(finder.state, 60);
    finder.Make();

    finder.window->Open(true);

    QCOMPARE(finder.window->windowTitle(), QStringLiteral("Find Station on the Page"));
    QVERIFY(finder.window->isVisible());
    QVERIFY(!finder.window->isModal());
    QVERIFY(List(*finder.window, "Combo1")->isVisible());
    QVERIFY(!List(*finder.window, "Combo2")->isVisible());
    QCOMPARE(List(*finder.window, "Combo1")->currentText(),
             QString::fromStdString("1            " + test::StationText("", 0)));
    QCOMPARE(finder.window->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
             QStringLiteral("Find"));
}

void FrmStationTest::findMovesToThePageOfTheStation() {
    Finder finder;
    test::MakeUndividedBook(finder.state, 60);  // eight stations a page
    finder.Make();
    finder.window->Open(true);
    QComboBox* list = List(*finder.window, "Combo1");

    list->setCurrentIndex(EntryOf(*list, test::StationText("", 50)));  // on page 7
    finder.window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();

    QCOMPARE(finder.state.cursor.CurrentPage, 6);
    QCOMPARE(finder.redraws, 1);
    QVERIFY(!finder.window->isVisible());
    QVERIFY(finder.messages.shown.empty());
}

void FrmStationTest::findOnTheRightSide() {
    Finder finder;
    test::MakeDividedBook(finder.state, 40);  // right stations: four a page
    finder.state.settings.CurrentSide = kRightSide;
    finder.Make();

    finder.window->Open(false);
    QComboBox* right = List(*finder.window, "Combo2");
    QVERIFY(right->isVisible());
    QVERIFY(!List(*finder.window, "Combo1")->isVisible());
    QCOMPARE(right->currentText(),
             QString::fromStdString("1            " + test::StationText("R", 0)));

    right->setCurrentIndex(EntryOf(*right, test::StationText("R", 5)));
    finder.window->Command1_Click();

    QCOMPARE(finder.state.cursor.CurrentPage, 1);
    QCOMPARE(finder.state.settings.CurrentSide, kRightSide);
    QCOMPARE(finder.redraws, 1);

    // The left book from the side menu: Combo1, whatever Combo2 holds.
    finder.state.settings.CurrentSide = kLeftSide;
    finder.window->Open(true);
    QComboBox* left = List(*finder.window, "Combo1");
    left->setCurrentIndex(EntryOf(*left, test::StationText("L", 17)));  // page 3
    finder.window->Command1_Click();
    QCOMPARE(finder.state.cursor.CurrentPage, 2);
    QCOMPARE(finder.state.settings.CurrentSide, kLeftSide);
}

void FrmStationTest::anUnreadableEntryIsReportedAndTheFinderStays_data() {
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("message");
    QTest::newRow("no blank") << "3"
                              << " Program Error : Type mismatch";
    QTest::newRow("not a number") << "three R1+00"
                                  << " Program Error : Type mismatch";
    QTest::newRow("too large") << "99999 R1+00"
                               << " Program Error : Overflow";
}

void FrmStationTest::anUnreadableEntryIsReportedAndTheFinderStays() {
    QFETCH(QString, edited);
    QFETCH(QString, message);
    Finder finder;
    test::MakeDividedBook(finder.state, 40);
    finder.state.settings.CurrentSide = kRightSide;
    finder.state.cursor.CurrentPage = 2;
    finder.Make();
    finder.window->Open(false);

    List(*finder.window, "Combo2")->setEditText(edited);
    finder.window->Command1_Click();

    QCOMPARE(finder.messages.shown, std::vector<std::string>{message.toStdString()});
    QCOMPARE(finder.state.cursor.CurrentPage, 2);
    QCOMPARE(finder.redraws, 0);
    QVERIFY(finder.window->isVisible());
}

void FrmStationTest::aPageOutsideTheBookIsKeptWithinIt() {
    Finder finder;
    test::MakeDividedBook(finder.state, 40);
    finder.state.settings.CurrentSide = kRightSide;
    finder.Make();
    finder.window->Open(false);
    QComboBox* right = List(*finder.window, "Combo2");

    right->setEditText(QStringLiteral("500 R1+00"));
    finder.window->Command1_Click();
    QCOMPARE(finder.state.cursor.CurrentPage, finder.state.cursor.LastPageRight);

    finder.window->Open(false);
    right->setEditText(QStringLiteral("0 R1+00"));
    finder.window->Command1_Click();
    QCOMPARE(finder.state.cursor.CurrentPage, 0);
    QVERIFY(finder.messages.shown.empty());
}

void FrmStationTest::theListsShowOnlyTheLastPreview() {
    Finder finder;
    test::MakeUndividedBook(finder.state, 60);
    finder.Make();
    finder.window->Open(true);
    QCOMPARE(List(*finder.window, "Combo1")->count(),
             static_cast<int>(finder.state.stations.Combo1.size()));

    // A new Preview starts the lists afresh; the finder shows the new book only.
    test::MakeUndividedBook(finder.state, 10);
    finder.window->Open(true);
    QComboBox* list = List(*finder.window, "Combo1");
    QCOMPARE(list->count(), static_cast<int>(finder.state.stations.Combo1.size()));
    QCOMPARE(EntryOf(*list, test::StationText("", 50)), -1);
}

void FrmStationTest::aPreviewWhileTheFinderIsOpenOffersTheNewStations() {
    Finder finder;
    test::MakeUndividedBook(finder.state, 60);
    finder.Make();
    finder.window->Open(true);
    QComboBox* list = List(*finder.window, "Combo1");
    list->setCurrentIndex(EntryOf(*list, test::StationText("", 50)));

    // A new Preview: another book, whose only listed station is on page 12.
    test::MakeUndividedBook(finder.state, 120);
    finder.state.stations.Combo1 = {"12            R50+00"};
    finder.window->Command1_Click();

    // No move to the page of the earlier book; the finder now lists the new one.
    QCOMPARE(finder.state.cursor.CurrentPage, 0);
    QCOMPARE(finder.redraws, 0);
    QVERIFY(finder.window->isVisible());
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentText(), QStringLiteral("12            R50+00"));
    finder.window->Command1_Click();
    QCOMPARE(finder.state.cursor.CurrentPage, 11);
}

void FrmStationTest::captionsShowWhole() {
    Finder finder;
    test::MakeUndividedBook(finder.state, 60);
    finder.Make();
    finder.window->Open(true);
    const QString cut = test::CutCaptions(*finder.window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
}

void FrmStationTest::captionsShowWholeAt144Dpi() {
    const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
    QVERIFY2(failures.isEmpty(), qPrintable(failures));
}

QTEST_MAIN(FrmStationTest)
#include "frm_station_test.moc"
