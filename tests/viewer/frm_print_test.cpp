// The report viewer: its menus, load sizing, zoom rule, paging and closing.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QtTest>

#include "printing_book.h"
#include "viewer/dialogs.h"
#include "viewer/frm_print.h"
#include "viewer/twips.h"

using namespace corvane;

namespace {

struct Cursor {
    std::string side;
    int32_t page;
    bool operator==(const Cursor&) const = default;
};

Cursor Where(const State& state) {
    return {state.settings.CurrentSide, state.cursor.CurrentPage};
}

int Pixels(double twips, const QWidget& widget) {
    return TwipsToPixels(twips, widget.logicalDpiX());
}

// Whether anything but the white background was drawn.
bool HasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class FrmPrintTest : public QObject {
    Q_OBJECT

  private slots:
    void menusInOrderWithTheirCaptions() {
        State state;
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        QCOMPARE(viewer.objectName(), QString("frmPrint"));
        QCOMPARE(viewer.windowTitle(), QString("Display Report"));

        QStringList bar;
        for (QAction* item : viewer.menuBar()->actions()) {
            bar << item->objectName() + "=" + item->text();
        }
        QCOMPARE(bar, QStringList({"viewForward=&>>", "viewBackward=<&<", "mnuGoTo=&Go To",
                                   "mnuPrint=&Print", "viewEnd=&End"}));

        QStringList goTo;
        for (QAction* item : viewer.MenuItem("mnuGoTo")->menu()->actions()) {
            goTo << item->objectName() + "=" + item->text();
        }
        QCOMPARE(goTo,
                 QStringList({"mnuGoToStation=Go To Station", "mnuStationLeft=Go To StationLeft",
                              "mnuStationRight=Go To StationRight"}));

        QStringList print;
        for (QAction* item : viewer.MenuItem("mnuPrint")->menu()->actions()) {
            print << item->objectName() + "=" + item->text();
        }
        QCOMPARE(print, QStringList({"viewprint=PrintAll", "PrnSelPages=Print Selected Pages",
                                     "SaveAsPdf=Save as PDF..."}));

        QCOMPARE(viewer.MenuItem("viewForward")->shortcut(), QKeySequence(Qt::Key_PageDown));
        QCOMPARE(viewer.MenuItem("viewBackward")->shortcut(), QKeySequence(Qt::Key_PageUp));
    }

    void loadTakesThePrinterPageSizeAndTheGoToEntriesOfTheRoadway() {
        State state;
        test::MakeUndividedBook(state, 20);
        state.layout.PageColumns = 80;
        state.layout.PageLines = 50;
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        viewer.Load();
        QCOMPARE(viewer.size(), QSize(Pixels(80 * 120, viewer), Pixels(50 * 240, viewer)));
        QVERIFY(viewer.MenuItem("mnuGoToStation")->isVisible());
        QVERIFY(!viewer.MenuItem("mnuStationLeft")->isVisible());
        QVERIFY(!viewer.MenuItem("mnuStationRight")->isVisible());

        test::MakeDividedBook(state, 20);
        frmPrint divided(state, messages, dialogs);
        divided.Load();
        QVERIFY(!divided.MenuItem("mnuGoToStation")->isVisible());
        QVERIFY(divided.MenuItem("mnuStationLeft")->isVisible());
        QVERIFY(divided.MenuItem("mnuStationRight")->isVisible());

        state.settings.RoadwayType = "OTHER";
        frmPrint other(state, messages, dialogs);
        other.Load();
        QVERIFY(other.MenuItem("mnuGoToStation")->isVisible());
        QVERIFY(other.MenuItem("mnuStationLeft")->isVisible());
        QVERIFY(messages.shown.empty());
    }

    void theZoomFitsThePageByItsLimitingSide() {
        State state;
        test::MakeUndividedBook(state, 20);
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        if (viewer.logicalDpiX() != 96 || viewer.logicalDpiY() != 96) {
            QSKIP("the exact twips of this rule need a 96 dpi screen");
        }

        // Half as wide as tall: the width limits.
        viewer.resize(5760 / 15, 15120 / 15);
        QTRY_COMPARE(viewer.size(), QSize(384, 1008));
        QCOMPARE(state.layout.ViewZoom, 5760.0 / 11820);

        // Wider than tall: the height limits.
        viewer.resize(15120 / 15, 7560 / 15);
        QTRY_COMPARE(viewer.size(), QSize(1008, 504));
        QCOMPARE(state.layout.ViewZoom, 7560.0 / 15420);

        // Each resize redraws the page at the new zoom.
        QVERIFY(HasInk(viewer.PageImage()));
        QVERIFY(messages.shown.empty());
    }

    void pagingAnUndividedBookStopsAtBothEnds() {
        State state;
        test::MakeUndividedBook(state, 20);
        QVERIFY(state.cursor.LastPage >= 2);
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        viewer.Load();

        viewer.viewBackward_Click();
        QCOMPARE(messages.shown, std::vector<std::string>{" First Page can't move backward"});
        QCOMPARE(state.cursor.CurrentPage, 0);

        for (int32_t page = 1; page <= state.cursor.LastPage; ++page) {
            viewer.viewForward_Click();
            QCOMPARE(state.cursor.CurrentPage, page);
        }
        QCOMPARE(messages.shown.size(), size_t{1});
        viewer.viewForward_Click();
        QCOMPARE(messages.shown.back(), std::string(" Last Page can't move forward"));
        QCOMPARE(state.cursor.CurrentPage, state.cursor.LastPage);

        viewer.viewBackward_Click();
        QCOMPARE(state.cursor.CurrentPage, state.cursor.LastPage - 1);
        QVERIFY(HasInk(viewer.PageImage()));
        QCOMPARE(messages.shown.size(), size_t{2});
    }

    void pagingWalksTheLeftBookThenTheRightBook() {
        State state;
        test::MakeDividedBook(state, 20);
        const int32_t lastLeft = state.cursor.LastPageLeft;
        const int32_t lastRight = state.cursor.LastPageRight;
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        viewer.Load();

        viewer.viewBackward_Click();
        QCOMPARE(messages.shown, std::vector<std::string>{" First Page can't move backward"});

        state.cursor.CurrentPage = lastLeft;
        viewer.viewForward_Click();
        QCOMPARE(Where(state), (Cursor{kRightSide, 0}));
        viewer.viewBackward_Click();
        QCOMPARE(Where(state), (Cursor{kLeftSide, lastLeft}));

        state.settings.CurrentSide = kRightSide;
        state.cursor.CurrentPage = lastRight;
        viewer.viewForward_Click();
        QCOMPARE(Where(state), (Cursor{kRightSide, lastRight}));
        QCOMPARE(messages.shown.back(), std::string(" Last Page can't move forward"));
        QCOMPARE(messages.shown.size(), size_t{2});
    }

    void withoutPageTotalsPagingStaysOnTheLaidOutPages() {
        State state;
        test::MakeUndividedBook(state, 20);
        const int32_t lastPage = state.cursor.LastPage;
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        // As after printing everything: the totals are gone, the cursor on the last page.
        state.cursor.LastPage = 0;
        state.cursor.CurrentPage = lastPage;
        viewer.viewForward_Click();
        QCOMPARE(messages.shown, std::vector<std::string>{" Last Page can't move forward"});
        QCOMPARE(state.cursor.CurrentPage, lastPage);
        viewer.viewBackward_Click();
        QCOMPARE(state.cursor.CurrentPage, lastPage - 1);
        viewer.viewForward_Click();
        QCOMPARE(state.cursor.CurrentPage, lastPage);
        QCOMPARE(messages.shown.size(), size_t{1});
    }

    void theKeysPageToo() {
        State state;
        test::MakeUndividedBook(state, 20);
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        frmPrint viewer(state, messages, dialogs);
        viewer.Load();
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QTest::keyClick(&viewer, Qt::Key_PageDown);
        QCOMPARE(state.cursor.CurrentPage, 1);
        QTest::keyClick(&viewer, Qt::Key_PageUp);
        QCOMPARE(state.cursor.CurrentPage, 0);
    }

    void endUnloadsTheViewer() {
        State state;
        test::MakeUndividedBook(state, 3);
        RecordingMessages messages;
        ScriptedDialogs dialogs;
        QPointer<frmPrint> viewer = new frmPrint(state, messages, dialogs);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->Load();
        viewer->show();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        viewer->MenuItem("viewEnd")->trigger();
        QTRY_VERIFY(viewer.isNull());
        QVERIFY(messages.shown.empty());
    }
};

QTEST_MAIN(FrmPrintTest)
#include "frm_print_test.moc"
