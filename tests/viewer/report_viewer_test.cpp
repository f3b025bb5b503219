// The report viewer: its menus, load sizing, zoom rule, paging, Go To, the
// print commands without a printer, Save as PDF, and closing.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "sample_books.h"
#include "viewer/report_viewer.h"
#include "viewer/station_finder.h"
#include "viewer/twips.h"

using namespace corvane;
using Shown = std::vector<std::string>;

namespace {

struct Viewer {
    ViewerState state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    std::unique_ptr<ReportViewer> window;

    explicit Viewer(PreparedBooks books) {
        state.Load(std::move(books));
        window = std::make_unique<ReportViewer>(state, messages, dialogs);
        window->Load();
    }
    QString Where() const {
        return QStringLiteral("%1 %2")
            .arg(state.CurrentSide() == Side::Left ? "left" : "right")
            .arg(state.CurrentPage());
    }
};

QString Items(QWidget* menu) {
    QStringList items;
    for (QAction* item : menu->actions()) {
        items << item->objectName() + "=" + item->text();
    }
    return items.join(", ");
}

// Whether the window shows anything but a white page.
bool HasInk(const ReportViewer& viewer) {
    const QImage image = viewer.findChild<QLabel*>("pageView")->pixmap().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

ScriptedDialogs::Answer TypePages(const QString& from, const QString& to, const char* button) {
    return [=](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("Text1")->setText(from);
        dialog.findChild<QLineEdit*>("Text2")->setText(to);
        dialog.findChild<QPushButton*>(button)->click();
        return dialog.result();
    };
}

}  // namespace

class ReportViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void menusInOrderWithTheirCaptions() {
        Viewer viewer(test::Undivided(3));
        QCOMPARE(viewer.window->objectName() + "=" + viewer.window->windowTitle(),
                 QString("frmPrint=Display Report"));
        QCOMPARE(
            Items(viewer.window->menuBar()),
            "viewForward=&>>, viewBackward=<&<, mnuGoTo=&Go To, mnuPrint=&Print, viewEnd=&End");
        QCOMPARE(Items(viewer.window->MenuItem("mnuGoTo")->menu()),
                 "mnuGoToStation=Go To Station, mnuStationLeft=Go To StationLeft, "
                 "mnuStationRight=Go To StationRight");
        QCOMPARE(Items(viewer.window->MenuItem("mnuPrint")->menu()),
                 "viewprint=PrintAll, PrnSelPages=Print Selected Pages, SaveAsPdf=Save as PDF...");
    }

    void loadTakesThePageSizeAndTheGoToEntriesOfTheRoadway_data() {
        QTest::addColumn<bool>("divided");
        QTest::newRow("undivided") << false;
        QTest::newRow("divided") << true;
    }
    void loadTakesThePageSizeAndTheGoToEntriesOfTheRoadway() {
        QFETCH(bool, divided);
        PreparedBooks books = divided ? test::Divided(20) : test::Undivided(20);
        books.PageSize = PageSize{80, 50};
        Viewer viewer(std::move(books));
        ReportViewer& window = *viewer.window;
        QCOMPARE(window.size(), QSize(TwipsToPixels(80 * 120, window.logicalDpiX()),
                                      TwipsToPixels(50 * 240, window.logicalDpiY())));
        QCOMPARE(window.MenuItem("mnuGoToStation")->isVisible(), !divided);
        QCOMPARE(window.MenuItem("mnuStationLeft")->isVisible(), divided);
        QCOMPARE(window.MenuItem("mnuStationRight")->isVisible(), divided);
        QVERIFY(viewer.messages.shown.empty());
    }

    void theZoomFitsThePageByItsLimitingSide() {
        QCOMPARE(ZoomToFit(5760, 15120), 5760.0 / 11820);  // half as wide as tall
        QCOMPARE(ZoomToFit(15120, 7560), 7560.0 / 15420);  // wider than tall
        // Each resize redraws the page at the new zoom.
        Viewer viewer(test::Undivided(20));
        viewer.window->resize(300, 400);
        viewer.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(viewer.window.get()));
        QVERIFY(HasInk(*viewer.window));
    }

    void pagingWalksTheLeftBookThenTheRightBook_data() {
        QTest::addColumn<bool>("divided");
        QTest::addColumn<bool>("fromRight");
        QTest::addColumn<int>("fromPage");  // -1: the book's last page
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("where");  // "last" for the book's last page
        QTest::addColumn<QString>("message");
        const QString first = " First Page can't move backward";
        const QString last = " Last Page can't move forward";
        QTest::newRow("first page back") << false << false << 0 << false << "left 0" << first;
        QTest::newRow("page 1 forward") << false << false << 1 << true << "left 2"
                                        << "";
        QTest::newRow("last page forward") << false << false << -1 << true << "left last" << last;
        QTest::newRow("left first back") << true << false << 0 << false << "left 0" << first;
        QTest::newRow("left last forward") << true << false << -1 << true << "right 0"
                                           << "";
        QTest::newRow("right first back") << true << true << 0 << false << "left last"
                                          << "";
        QTest::newRow("right last forward") << true << true << -1 << true << "right last" << last;
    }
    void pagingWalksTheLeftBookThenTheRightBook() {
        QFETCH(bool, divided);
        QFETCH(bool, fromRight);
        QFETCH(int, fromPage);
        QFETCH(bool, forward);
        QFETCH(QString, where);
        QFETCH(QString, message);
        Viewer viewer(divided ? test::Divided(20) : test::Undivided(20));
        const Side side = fromRight ? Side::Right : Side::Left;
        QVERIFY(
            viewer.state.GoTo(side, fromPage < 0 ? test::LastPage(viewer.state, side) : fromPage));
        const QString last = QString::number(
            test::LastPage(viewer.state, where.startsWith("left") ? Side::Left : Side::Right));

        forward ? viewer.window->viewForward_Click() : viewer.window->viewBackward_Click();

        QCOMPARE(viewer.Where(), where.replace("last", last));
        QCOMPARE(viewer.messages.shown, message.isEmpty() ? Shown{} : Shown{message.toStdString()});
        QCOMPARE(HasInk(*viewer.window), message.isEmpty());  // redrawn after a move
    }

    void theKeysPageToo() {
        Viewer viewer(test::Undivided(20));
        viewer.window->show();
        QVERIFY(QTest::qWaitForWindowActive(viewer.window.get()));
        QTest::keyClick(viewer.window.get(), Qt::Key_PageDown);
        QCOMPARE(viewer.Where(), QString("left 1"));
        QTest::keyClick(viewer.window.get(), Qt::Key_PageUp);
        QCOMPARE(viewer.Where(), QString("left 0"));
    }

    void goToStationOpensTheListOfItsSide_data() {
        QTest::addColumn<bool>("divided");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("list");
        QTest::newRow("undivided") << false << "mnuGoToStation"
                                   << "Combo1";
        QTest::newRow("left side") << true << "mnuStationLeft"
                                   << "Combo1";
        QTest::newRow("right side") << true << "mnuStationRight"
                                    << "Combo2";
    }
    void goToStationOpensTheListOfItsSide() {
        QFETCH(bool, divided);
        QFETCH(QString, menu);
        QFETCH(QString, list);
        Viewer viewer(divided ? test::Divided(30) : test::Undivided(30));
        const Side side = list == "Combo1" ? Side::Left : Side::Right;
        // The side is the list's, wherever the viewer stands.
        QVERIFY(viewer.state.GoTo(divided ? Side::Right : Side::Left, 1));

        viewer.window->MenuItem(menu)->trigger();

        auto* finder = viewer.window->findChild<StationFinder*>();
        QVERIFY(finder && finder->isVisible());
        auto* entries = finder->findChild<QComboBox*>(list);
        QVERIFY(entries->isVisible());
        entries->setCurrentIndex(entries->count() - 1);
        std::string why;
        const std::optional<int> page =
            ReadEntryPageNumber(entries->currentText().toStdString(), why);
        QVERIFY(page > 2);
        finder->Command1_Click();
        QCOMPARE(viewer.state.CurrentSide(), side);
        QCOMPARE(viewer.state.CurrentPage(), *page - 1);
        QVERIFY(viewer.messages.shown.empty());
    }

    void printingWithoutAPrinterSaysSoAndNeverSent() {
        Viewer viewer(test::Undivided(30));
        viewer.window->viewprint_Click();
        viewer.dialogs.setNextAnswer(TypePages("1", "2", "Command1(1)"));
        viewer.window->PrnSelPages_Click();
        QCOMPARE(viewer.messages.shown, Shown(2, "Printing failed: no printer is chosen."));
    }

    void thePageDialogKeepsItsFieldsAfterPrintAndStartsEmptyAfterCancel() {
        Viewer viewer(test::Undivided(30));
        QStringList shown;
        const auto remember = [&](QDialog& dialog) {
            shown << dialog.findChild<QLineEdit*>("Text1")->text();
            dialog.findChild<QPushButton*>("Command1(0)")->click();
            return dialog.result();
        };
        viewer.dialogs.setNextAnswer(TypePages("2", "3", "Command1(1)"));
        viewer.dialogs.setNextAnswer(remember);
        viewer.dialogs.setNextAnswer(remember);
        for (int use = 0; use < 3; ++use) {
            viewer.window->PrnSelPages_Click();
        }
        QCOMPARE(shown, QStringList({"2", ""}));
        // Cancelled, or closed without its buttons: nothing is printed.
        viewer.messages.shown.clear();
        viewer.window->PrnSelPages_Click();
        QVERIFY(viewer.messages.shown.empty());
    }

    void saveAsPdfWritesEveryPageAndKeepsTheViewerPage() {
        Viewer viewer(test::Divided(30));
        QVERIFY(viewer.state.GoTo(Side::Left, 1));
        viewer.window->SaveAsPdf_Click();  // no file name: the chooser was cancelled
        QVERIFY(viewer.messages.shown.empty());
        QTemporaryDir folder;
        viewer.dialogs.setNextFileName(folder.filePath("book"));

        viewer.window->SaveAsPdf_Click();

        const QString path = folder.filePath("book.pdf");
        QCOMPARE(viewer.messages.shown,
                 Shown{"Pages have been saved to " + path.toStdString() + "."});
        QCOMPARE(viewer.dialogs.lastFilter, QString("PDF Files (*.pdf)"));
        QCOMPARE(viewer.Where(), QString("left 1"));
        QVERIFY(QFileInfo(path).size() > 0);  // its pages are those of print_job_test
    }

    void saveAsPdfNeverReplacesTheReportOfTheBook_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("link");  // the chosen name is made a "symbolic" or "hard" link
        QTest::newRow("dot slash") << "./grades.csv"
                                   << "";
        QTest::newRow("symbolic link") << "book.pdf"
                                       << "symbolic";
        QTest::newRow("hard link") << "book.pdf"
                                   << "hard";
    }
    void saveAsPdfNeverReplacesTheReportOfTheBook() {
        QFETCH(QString, chosen);
        QFETCH(QString, link);
        QTemporaryDir folder;
        const QString report = folder.filePath("grades.csv");
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(" PAVING GRADES REPORT\n") > 0);
        file.close();
        const QString path = folder.path() + "/" + chosen;
        if (link == "symbolic") {
            QVERIFY(QFile::link(report, path));
        } else if (link == "hard") {
            QProcess ln;
            ln.start("ln", {report, path});
            QVERIFY(ln.waitForFinished() && ln.exitCode() == 0);
        }
        PreparedBooks books = test::Undivided(30);
        books.SourceFile = report.toStdString();
        Viewer viewer(std::move(books));
        viewer.dialogs.setNextFileName(path);

        viewer.window->SaveAsPdf_Click();

        QCOMPARE(viewer.messages.shown,
                 Shown{"The book cannot be written to " + path.toStdString() +
                       ": it is the paving grades report the book is read from."});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(" PAVING GRADES REPORT\n"));
        QCOMPARE(QDir(folder.path()).count(), uint(link.isEmpty() ? 3 : 4));  // with . and ..
    }

    void endUnloadsTheViewer() {
        Viewer viewer(test::Undivided(3));
        QPointer<ReportViewer> window = viewer.window.release();
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->MenuItem("viewEnd")->trigger();
        QTRY_VERIFY(window.isNull());
        QVERIFY(viewer.messages.shown.empty());
    }
};

int main(int argc, char** argv) {
    // Keep the machine's printers out of the test: no scheduler answers here.
    qputenv("CUPS_SERVER", "/nonexistent/corvane-test/cups.sock");
    QApplication app(argc, argv);
    ReportViewerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "report_viewer_test.moc"
