// The viewer on a screen of 1920 x 1440 pixels, at scale 1 and 1.5 (see
// tests/CMakeLists.txt): it opens no larger than the screen, shows the whole page
// in a window of any shape until the user zooms, and then holds the zoom with
// scroll bars that reach the whole page.
#include <QtTest>
#include <QtWidgets>

#include "fresh_settings.h"
#include "viewer/page_zoom.h"
#include "viewer/remembered_settings.h"
#include "viewer/report_viewer.h"
#include "viewer/twips.h"
#include "viewer_fixture.h"

using namespace corvane;

namespace {

// Lines whose slope in the third column runs a column past the page's right
// edge, as the longest lines of a real book do.
PreparedBooks LongLines(PageSize page) {
    PreparedBooks books = test::Undivided(40);
    books.PageSize = page;
    Book& book = books.Books[0].Book;
    for (ReportStation& station : book.Stations)
        station.Lines[0].fill({"Edge of Pavement", "-123.45", "1234.56", "-12.34", "EP", false});
    books.Books[0].Pagination = Paginate(book, page);
    return books;
}

struct Window {
    ViewerState state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    ReportViewer viewer{state, messages, dialogs};
    QScrollArea* area = viewer.findChild<QScrollArea*>("pageArea");

    PageSize page;

    explicit Window(PageSize pageSize) : page(pageSize) {
        state.Load(LongLines(page));
        viewer.Load();
    }
    QImage Page() const { return viewer.findChild<QLabel*>("pageView")->pixmap().toImage(); }
};

// The right and bottom ends of what is drawn on the page, in its pixels.
QPoint InkEnd(const QImage& page) {
    QPoint end(-1, -1);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                end = QPoint(std::max(end.x(), x), std::max(end.y(), y));
    return end;
}

// Whether the page shows whole in the window: the page at its zoom lies in the
// page view, nothing drawn reaches the view's edge, and it needs no scroll bars.
bool ShowsWholePage(const Window& window) {
    const double zoom = window.viewer.Zoom();
    const QSize page(TwipsToPixels(window.page.Columns * 120 * zoom, window.viewer.logicalDpiX()),
                     TwipsToPixels(window.page.Lines * 240 * zoom, window.viewer.logicalDpiY()));
    const QImage view = window.Page();
    const QPoint end = InkEnd(view);
    return window.area->viewport()->rect().contains(QRect(QPoint(0, 0), page)) && end.x() > 0 &&
           end.x() < view.width() - 1 && end.y() < view.height() - 1 &&
           !window.area->horizontalScrollBar()->isVisible() &&
           !window.area->verticalScrollBar()->isVisible();
}

}  // namespace

class ViewerScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { test::ForgetSettings(); }

    void opensOnTheScreenAndShowsTheWholePageAtAnySize_data() {
        QTest::addColumn<PageSize>("page");
        QTest::newRow("Letter") << PageSize{96, 63};
        QTest::newRow("A4") << PageSize{99.17, 70.17};
        QTest::newRow("Legal") << PageSize{102, 84};
        QTest::newRow("wide") << PageSize{160, 62};
    }
    void opensOnTheScreenAndShowsTheWholePageAtAnySize() {
        QFETCH(PageSize, page);
        Window window(page);
        window.viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.viewer));
        const QRect screen = window.viewer.screen()->availableGeometry();
        QVERIFY2(
            screen.contains(window.viewer.frameGeometry()),
            qPrintable(QString("%1x%2").arg(window.viewer.width()).arg(window.viewer.height())));
        const QSize pageSize(TwipsToPixels(page.Columns * 120, window.viewer.logicalDpiX()),
                             TwipsToPixels(page.Lines * 240, window.viewer.logicalDpiY()));
        QVERIFY(window.viewer.size() == pageSize ||
                window.viewer.frameGeometry().height() == screen.height());
        QVERIFY(ShowsWholePage(window));
        for (const QSize size : {QSize(400, 900), QSize(1200, 400), QSize(700, 700)}) {
            window.viewer.resize(size);
            QTRY_COMPARE(window.viewer.size(), size);
            QVERIFY2(ShowsWholePage(window),
                     qPrintable(QString("%1x%2").arg(size.width()).arg(size.height())));
        }
        QCOMPARE(window.messages.shown, std::vector<std::string>{});
    }

    // Zoom In and Zoom Out step within 25 % to 400 %; a zoom holds across resizes,
    // draws the whole page at that zoom and scrolls over it; Ctrl+0 fits again.
    void aChosenZoomHoldsUntilThePageIsFittedAgain() {
        Window window(PageSize{96, 63});
        window.viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.viewer));
        const double fitted = window.viewer.Zoom();
        window.viewer.MenuItem("mnuZoomIn")->trigger();
        QCOMPARE(window.viewer.Zoom(), ZoomedIn(fitted));
        QVERIFY(!window.viewer.FitsPage() && window.viewer.Zoom() > fitted);
        for (int step = 0; step < 20; ++step)
            window.viewer.ZoomIn();
        QCOMPARE(window.viewer.Zoom(), kLargestZoom);
        window.viewer.resize(600, 500);
        QTRY_COMPARE(window.viewer.size(), QSize(600, 500));
        QCOMPARE(window.viewer.Zoom(), kLargestZoom);
        const qreal ratio = window.viewer.devicePixelRatioF();
        const QSize drawn(TwipsToPixels((96 * 120 + 300) * 4, window.viewer.logicalDpiX()),
                          TwipsToPixels((63 * 240 + 300) * 4, window.viewer.logicalDpiY()));
        QCOMPARE(window.Page().size(), drawn * ratio);
        QScrollBar* down = window.area->verticalScrollBar();
        QTRY_VERIFY(down->isVisible() && window.area->horizontalScrollBar()->isVisible());
        QCOMPARE(down->maximum() + window.area->viewport()->height(), drawn.height());

        QWidget* viewport = window.area->viewport();
        const auto wheel = [&](int turn, Qt::KeyboardModifiers keys) {
            QWheelEvent event(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), {},
                              {0, turn}, Qt::NoButton, keys, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &event);
        };
        wheel(-120, Qt::NoModifier);
        QVERIFY(down->value() > 0);
        wheel(-120, Qt::ControlModifier);
        QCOMPARE(window.viewer.Zoom(), ZoomedOut(kLargestZoom));
        for (int step = 0; step < 20; ++step)
            window.viewer.ZoomOut();
        QCOMPARE(window.viewer.Zoom(), kSmallestZoom);
        QTest::keyClick(&window.viewer, Qt::Key_0, Qt::ControlModifier);
        QVERIFY(window.viewer.FitsPage());
        QTRY_VERIFY(ShowsWholePage(window));
    }

    // A new viewer opens at the size the last one closed with, however it closed, shrunk to
    // the screen when larger; and at the zoom chosen there until Fit Page fitted it again.
    void aNewViewerOpensAsTheLastOneClosed() {
        double zoom = 0;
        {
            Window first(PageSize{96, 63});
            first.viewer.resize(700, 500);
            first.viewer.MenuItem("mnuZoomIn")->trigger();
            zoom = first.viewer.Zoom();
            first.viewer.MenuItem("viewEnd")->trigger();
        }
        {
            Window second(PageSize{102, 84});
            QVERIFY(second.viewer.size() == QSize(700, 500) && !second.viewer.FitsPage());
            QCOMPARE(second.viewer.Zoom(), zoom);
            second.viewer.show();
            QVERIFY(QTest::qWaitForWindowExposed(&second.viewer));
            QTest::keyClick(&second.viewer, Qt::Key_0, Qt::ControlModifier);
            second.viewer.resize(600, 450);
            second.viewer.close();  // as the window's close button does
        }
        Window third(PageSize{96, 63});
        QVERIFY(third.viewer.size() == QSize(600, 450) && third.viewer.FitsPage());

        RememberedSettings().RememberViewerSize(QSize(5000, 4000));
        Window fourth(PageSize{96, 63});
        fourth.viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fourth.viewer));
        const QRect screen = fourth.viewer.screen()->availableGeometry();
        QVERIFY(screen.contains(fourth.viewer.frameGeometry()) &&
                fourth.viewer.frameGeometry().height() == screen.height());
    }
};

QTEST_MAIN(ViewerScreenTest)
#include "viewer_screen_test.moc"
