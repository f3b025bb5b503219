// The report viewer with its commands and dialogs, and whether every caption
// of the dialogs shows whole, here and at 144 dpi.
#include <QtTest>
#include <QtWidgets>

#include "captions_fit.h"
#include "fake_platform.h"
#include "fresh_settings.h"
#include "report/grades_table.h"
#include "sheets/csv_writer.h"
#include "sheets/xlsx_writer.h"
#include "viewer/about_dialog.h"
#include "viewer/page_index_dialog.h"
#include "viewer/page_zoom.h"
#include "viewer/print_job.h"
#include "viewer/print_pages_dialog.h"
#include "viewer/printer_font_dialog.h"
#include "viewer/report_page.h"
#include "viewer/report_viewer.h"
#include "viewer/station_finder.h"
#include "viewer/station_range_dialog.h"
#include "viewer/twips.h"
#include "viewer_fixture.h"

using namespace corvane;
using test::Fill;
using Shown = std::vector<std::string>;

namespace {

struct Fixture {
    ViewerState state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    test::FakePrintersAndFonts machine;
    explicit Fixture(PreparedBooks books) { state.Load(std::move(books)); }
};

struct Viewer : Fixture {
    std::unique_ptr<ReportViewer> window = std::make_unique<ReportViewer>(state, messages, dialogs);

    explicit Viewer(PreparedBooks books) : Fixture(std::move(books)) { window->Load(); }
    QString Where() const {
        const char* side = state.CurrentSide() == Side::Left ? "left %1" : "right %1";
        return QString(side).arg(state.CurrentPage());
    }
};

// Whether the window shows anything but a white page.
bool HasInk(const ReportViewer& window) {
    const QImage page = window.findChild<QLabel*>("pageView")->pixmap().toImage();
    QImage white(page.size(), page.format());
    white.fill(Qt::white);
    return page != white;
}

QString MenuItems(QWidget* menu) {
    QStringList items;
    for (QAction* item : menu->actions())
        items << item->objectName() + "=" + item->text();
    return items.join(", ");
}

struct Paging {
    const char* name;
    bool divided;
    QString from;
    bool forward;
    QString where, message;
};

struct GoToStation {
    const char* name;
    QString menu, list, preset, station, where;
};

struct PdfJob {
    const char* name;
    int cancelAt;                 // the progress that answers "stop"; -1: none
    std::vector<BookPage> pages;  // none: every page of the book
    QString failure;              // the message; empty: none
};

// The messages a case expects: its one message, or none.
Shown Told(const QString& message) {
    return message.isEmpty() ? Shown{} : Shown{message.toStdString()};
}

template <typename Widget = QLabel>
Widget* Child(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(name);
}

void ChooseSide(PrintPagesDialog& dialog, const QString& side) {
    auto* sides = Child<QComboBox>(dialog, "Combo2");
    sides->setCurrentIndex(sides->findText(side));
    emit sides->activated(sides->currentIndex());
}

// The items of a list, and the text it is preset to.
QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items.isEmpty() ? items : items << "preset " + list->currentText();
}

struct PrinterFont {
    const char* name;
    QString chosenBefore;               // with its page, when it has one
    QStringList printers, fonts;        // of the machine; the second printer is the default
    QStringList printerList, fontList;  // as the dialog lists them
    QStringList answer;                 // printer, font and button; none: Done with the presets
    QString chosen;  // printer/font/page of the viewer state, and the printer it prints to
};

struct PreviewPages {
    const char* name;
    bool divided;
    QString side, heading;
    QString firstEntry;  // of the page index: the page, its first and its last station
};

struct TypedPages {
    const char* name;
    QString from, to;
    int first;  // -1: refused with the message
    QString message;
};

struct RangeEntry {
    const char* name;
    QString from, to, button;
    QString message;  // the refusal, after which the dialog stays open; empty: none
    QString shown;    // the status line, the stations and the page on show after
};

// What the viewer shows: its status line, the stations of the book and the page.
QString Showing(const Viewer& viewer) {
    size_t stations = 0;
    for (const PaginatedBook& book : viewer.state.GradeBooks().Books)
        stations += book.Book.Stations.size();
    return QString("%1; %2 stations; page %3 of %4")
        .arg(viewer.window->StatusText("stationRange"))
        .arg(stations)
        .arg(viewer.state.CurrentPage() + 1)
        .arg(*viewer.state.LastPage(viewer.state.CurrentSide()) + 1);
}

struct Saved {
    const char* name;
    const char* menu;  // SaveAsPdf or SaveGrades
    QString range;     // the station range shown; empty: the whole book
    QString chosen;    // the file name chosen
    QString message;   // %1 the path chosen
};

// Whether two workbooks hold the same parts, but for the time they were made.
bool SameWorkbook(const QString& made, const QString& expected) {
    const char* compare =
        "import sys, zipfile\n"
        "a, b = (zipfile.ZipFile(p) for p in sys.argv[1:])\n"
        "names = [n for n in a.namelist() if n != 'docProps/core.xml']\n"
        "same = names == [n for n in b.namelist() if n != 'docProps/core.xml']\n"
        "sys.exit(0 if same and all(a.read(n) == b.read(n) for n in names) else 1)\n";
    return QProcess::execute("/usr/bin/python3", {"-c", compare, made, expected}) == 0;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

struct EditedEntry {
    const char* name;
    QString edited;
    int page;  // where the viewer is after Find; -1: the last page
    QString message;
};

}  // namespace

class ViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { test::ForgetSettings(); }

    // The menus; each resize redraws the page at the zoom that fits it; the keys page.
    void aShownViewerSizesZoomsAndPages() {
        QCOMPARE(ZoomToFit(5760, 15120, {96, 63}), 5760.0 / 11820);  // half as wide as tall
        QCOMPARE(ZoomToFit(15120, 7560, {96, 63}), 7560.0 / 15420);  // wider than tall
        PreparedBooks books = test::Undivided(20);
        books.PageSize = PageSize{80, 50};
        Viewer viewer(std::move(books));
        ReportViewer* window = viewer.window.get();
        QCOMPARE(window->objectName() + "=" + window->windowTitle(),
                 QString("frmPrint=Display Report"));
        QCOMPARE(MenuItems(window->menuBar()),
                 "viewForward=&>>, viewBackward=<&<, mnuGoTo=&Go To, mnuPrint=&Print, "
                 "mnuView=&View, viewEnd=&End");
        QCOMPARE(MenuItems(window->MenuItem("mnuGoTo")->menu()),
                 "mnuGoToStation=Go To Station, mnuStationLeft=Go To StationLeft, "
                 "mnuStationRight=Go To StationRight");
        QCOMPARE(MenuItems(window->MenuItem("mnuPrint")->menu()),
                 "viewprint=PrintAll, PrnSelPages=Print Selected Pages, SaveAsPdf=Save as PDF..., "
                 "SaveGrades=Save Grades As...");
        QCOMPARE(MenuItems(window->ViewMenu()),
                 "mnuZoomIn=Zoom &In, mnuZoomOut=Zoom &Out, mnuFitPage=&Fit Page, =, "
                 "mnuStations=&Stations..., mnuAllStations=&All Stations, =, "
                 "mnuChanges=&Changes from Revision..., mnuBook=The &Book");
        QCOMPARE(window->MenuItem("mnuZoomIn")->shortcut(), QKeySequence(QKeySequence::ZoomIn));
        QCOMPARE(window->MenuItem("mnuZoomOut")->shortcut(), QKeySequence(QKeySequence::ZoomOut));
        // The status bar says what the viewer holds, a part for each thing; the caption stays.
        window->ShowStatus("range", "Stations 1+00 to 9+00");
        window->ShowStatus("compare", "Changes from rev. 2");
        window->ShowStatus("range", "");
        QCOMPARE(window->StatusText("compare"), QString("Changes from rev. 2"));
        QVERIFY(!window->statusBar()->findChild<QLabel*>("range")->isVisibleTo(window));
        QCOMPARE(window->windowTitle(), QString("Display Report"));
        window->resize(300, 400);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QVERIFY(HasInk(*window));
        QTest::keyClick(window, Qt::Key_PageDown);
        QCOMPARE(viewer.Where(), QString("left 1"));
        QTest::keyClick(window, Qt::Key_PageUp);
        QCOMPARE(viewer.Where(), QString("left 0"));
        QVERIFY(viewer.messages.shown.empty());
    }

    // Twenty stations: pages 0 to 3 undivided and on the left, 0 to 5 on the right.
    void pagingWalksTheLeftBookThenTheRightBook_data() {
        const QString first = " First Page can't move backward";
        const QString last = " Last Page can't move forward";
        test::AddRows<Paging>({
            {"first page back", false, "left 0", false, "left 0", first},
            {"last page forward", false, "left 3", true, "left 3", last},
            {"left last forward", true, "left 3", true, "right 0", ""},
            {"right first back", true, "right 0", false, "left 3", ""},
            {"right last forward", true, "right 5", true, "right 5", last},
        });
    }
    void pagingWalksTheLeftBookThenTheRightBook() {
        QFETCH(Paging, c);
        Viewer viewer(c.divided ? test::Divided(20) : test::Undivided(20));
        QVERIFY(viewer.state.GoTo(c.from.startsWith("left") ? Side::Left : Side::Right,
                                  c.from.section(' ', 1).toInt()));

        c.forward ? viewer.window->ShowNextPage() : viewer.window->ShowPreviousPage();

        QCOMPARE(viewer.Where(), c.where);
        QCOMPARE(viewer.messages.shown, Told(c.message));
        QCOMPARE(HasInk(*viewer.window), c.message.isEmpty());  // redrawn after a move
    }

    // The Go To entries are those of the roadway. The station finder opens on the
    // list of the menu's side, wherever the viewer stands, with its first entry
    // preset; Find goes to the station's page.
    void goToStationFindsTheStationOnItsSide_data() {
        // Eight one-line stations a page; right stations take two lines, four a page.
        test::AddRows<GoToStation>({
            {"undivided", "mnuGoToStation", "Combo1", "1            0+00", "50+00", "left 6"},
            {"left side", "mnuStationLeft", "Combo1", "1            L0+00", "L17+00", "left 2"},
            {"right side", "mnuStationRight", "Combo2", "1            R0+00", "R5+00", "right 1"},
        });
    }
    void goToStationFindsTheStationOnItsSide() {
        QFETCH(GoToStation, c);
        const bool divided = c.menu != "mnuGoToStation";
        Viewer viewer(divided ? test::Divided(60) : test::Undivided(60));
        QVERIFY(viewer.state.GoTo(divided && c.list == "Combo1" ? Side::Right : Side::Left, 0));
        QCOMPARE(viewer.window->MenuItem("mnuGoToStation")->isVisible(), !divided);
        QCOMPARE(viewer.window->MenuItem("mnuStationLeft")->isVisible(), divided);
        QCOMPARE(viewer.window->MenuItem("mnuStationRight")->isVisible(), divided);

        viewer.window->MenuItem(c.menu)->trigger();

        auto* finder = viewer.window->findChild<StationFinder*>();
        QVERIFY(finder && finder->isVisible() && !finder->isModal());
        QCOMPARE(finder->objectName() + "=" + finder->windowTitle(),
                 QString("frmStation=Find Station on the Page"));
        auto* entries = finder->findChild<QComboBox*>(c.list);
        const char* other = c.list == "Combo1" ? "Combo2" : "Combo1";
        QVERIFY(entries->isVisible() && !finder->findChild<QComboBox*>(other)->isVisible());
        QCOMPARE(entries->currentText(), c.preset);
        entries->setCurrentIndex(entries->findText(" " + c.station, Qt::MatchEndsWith));
        finder->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(viewer.Where(), c.where);
        QVERIFY(!finder->isVisible() && HasInk(*viewer.window));
        QVERIFY(viewer.messages.shown.empty());
    }

    // The page dialog keeps its fields after Print and starts empty after
    // Cancel; cancelled, or closed without its buttons, it prints nothing.
    // A printer that is not installed fails the job; without a printer a book is
    // laid out on Letter with quarter-inch margins (96 x 63 cells of 120 x 240 twips).
    void printingWithoutAnInstalledPrinterFails() {
        Viewer viewer(test::Undivided(30));
        viewer.window->PrintAll();
        QStringList shown;
        const auto remember = [&](QDialog& dialog) {
            shown << dialog.findChild<QLineEdit*>("Text1")->text();
            dialog.findChild<QPushButton*>("Command1(0)")->click();
            return dialog.result();
        };
        viewer.dialogs.setNextAnswer(Fill({{"Text1", "2"}, {"Text2", "3"}}, "Command1(1)"));
        viewer.dialogs.setNextAnswer(remember);
        viewer.dialogs.setNextAnswer(remember);
        for (int use = 0; use < 4; ++use)
            viewer.window->PrintSelectedPages();
        QCOMPARE(shown, QStringList({"2", ""}));
        const char* unknown = "corvane-no-such-printer";
        QCOMPARE(PrintPages(viewer.state.Books(), {{Side::Left, 0}}, *MakePrinterTarget(unknown),
                            viewer.messages),
                 PrintOutcome::Failed);
        QCOMPARE(
            viewer.messages.shown,
            (Shown{"Printing failed: no printer is chosen.",
                   "Printing failed: no printer is chosen.",
                   "Printing failed: the printer \"corvane-no-such-printer\" is not installed."}));
        QCOMPARE(PrintableCells(ReportPageLayout(unknown)), (PageSize{96, 63}));
    }

    // Whatever stops the job, the old book at the path stays as it was, and no
    // temporary file is left beside it.
    void pdfJobsEndSentCancelledOrFailed_data() {
        // clang-format off
        test::AddRows<PdfJob>({
            {"sent", -1, {}, ""},
            {"cancelled", 3, {}, ""},
            {"a page past the book", -1, {{Side::Left, 0}, {Side::Left, 900}},
             "Printing failed: page 901 of the left side could not be drawn."},
        });
        // clang-format on
    }
    void pdfJobsEndSentCancelledOrFailed() {
        QFETCH(PdfJob, c);
        const PreparedBooks books = test::Divided(20);
        const std::vector<BookPage> pages = c.pages.empty() ? AllBookPages(books) : c.pages;
        QTemporaryDir folder;
        const QString path = folder.filePath("book.pdf");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old book") == 8);
        old.close();
        RecordingMessages messages;
        std::vector<int> told;

        const PrintOutcome outcome =
            PrintPages(books, pages, *MakePdfFileTarget(path, ReportPageLayout("")), messages,
                       [&](int done, int) {
                           told.push_back(done);
                           return done != c.cancelAt;
                       });

        const bool sent = c.cancelAt < 0 && c.failure.isEmpty();
        using enum PrintOutcome;
        QCOMPARE(outcome, sent ? Sent : c.failure.isEmpty() ? Cancelled : Failed);
        if (outcome != Failed) {  // told before each page, and once more at the end
            QCOMPARE(told.size(), sent ? pages.size() + 1 : size_t(c.cancelAt + 1));
        }
        QCOMPARE(messages.shown, Told(c.failure));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.readAll().startsWith(sent ? "%PDF" : "old book"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::System),
                 QStringList{"book.pdf"});
    }

    // Each row: what the machine has, and what is started.
    void systemInfoStartsTheFirstToolFound_data() {
        QTest::addColumn<QStringList>("machine");
        QTest::addColumn<QString>("started");  // empty: the tool is unavailable
        const QString msinfo = "registry:SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH=";
        const QString shared = "registry:SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO=";
        QTest::newRow("the registered program first")
            << QStringList{msinfo + "C:\\Tools\\msinfo32.exe", "start:C:\\Tools\\msinfo32.exe",
                           "path:hardinfo=/usr/bin/hardinfo", "start:/usr/bin/hardinfo"}
            << "C:\\Tools\\msinfo32.exe";
        QTest::newRow("the shared tools folder that holds it")
            << QStringList{shared + "C:\\Shared", "file:C:\\Shared\\MSINFO32.EXE",
                           "start:C:\\Shared\\MSINFO32.EXE"}
            << "C:\\Shared\\MSINFO32.EXE";
        QTest::newRow("a folder without it") << QStringList{shared + "C:\\Shared"} << "";
        QTest::newRow("a registered program that cannot start")
            << QStringList{msinfo + "C:\\Missing\\msinfo32.exe"} << "";
        QTest::newRow("elsewhere the first monitor on the path")
            << QStringList{"path:hardinfo=/usr/bin/hardinfo", "start:/usr/bin/hardinfo",
                           "path:plasma-systemmonitor=/usr/bin/plasma-systemmonitor",
                           "start:/usr/bin/plasma-systemmonitor"}
            << "/usr/bin/plasma-systemmonitor";
        QTest::newRow("no tool anywhere") << QStringList{} << "";
    }
    void systemInfoStartsTheFirstToolFound() {
        QFETCH(QStringList, machine);
        QFETCH(QString, started);
        test::FakeSystemTools tools;
        tools.machine = machine;
        RecordingMessages messages;
        AboutDialog about(messages, tools);
        Child<QPushButton>(about, "cmdSysInfo")->click();
        QCOMPARE(tools.started, started.isEmpty() ? QStringList{} : QStringList{started});
        QCOMPARE(messages.shown, started.isEmpty() ? Shown{kSysInfoUnavailable} : Shown{});
    }

    // A typed name the comparison does not find is kept as it is, for the
    // messages, while the page stays that of the printer chosen before.
    void printerFontDialogGivesThePrinterFontAndPage_data() {
        const test::FakePrintersAndFonts machine;
        const QStringList office = machine.printers, fonts = machine.fonts;
        const QStringList plotter{"Plotter", "Office Laser", "preset Plotter"};
        const QStringList lucida{"Courier New", "Lucida Console", "preset Lucida Console"};
        // clang-format off
        test::AddRows<PrinterFont>({
            {"the printer chosen last, one report font", "Plotter", office,
             {"Arial", "Courier New"}, plotter, {"Courier New", "preset "}, {},
             "Plotter//130x80/Plotter"},
            {"no printer: empty lists, the page stays Letter", "", {}, fonts, {}, {}, {},
             "//96x63/"},
            {"a typed name not found", "Plotter", office, fonts, plotter, lucida,
             {"office laser", "", "cmdDone"}, "office laser//130x80/Office Laser"},
            {"cancel", "Plotter", office, fonts, plotter, lucida,
             {"Office Laser", "Courier New", "cmdCancel"}, "Plotter//130x80/Plotter"},
        });
        // clang-format on
    }
    void printerFontDialogGivesThePrinterFontAndPage() {
        QFETCH(PrinterFont, c);
        Fixture run(test::Undivided(1));
        run.machine.printers = c.printers;
        run.machine.defaultPrinter = c.printers.value(1);
        run.machine.fonts = c.fonts;
        run.state.Choose(
            {c.chosenBefore.toStdString(), "", run.machine.PrintablePage(c.chosenBefore)});
        PrinterFontDialog dialog(run.state, run.messages, run.machine);
        QCOMPARE(dialog.objectName() + "=" + dialog.windowTitle(),
                 QString("frmSystem=Select Font and a Printer"));
        QCOMPARE(Items(Child<QComboBox>(dialog, "combo1(0)")), c.printerList);
        QCOMPARE(Items(Child<QComboBox>(dialog, "combo1(1)")), c.fontList);

        run.dialogs.setNextAnswer(
            c.answer.isEmpty()
                ? Fill({}, "cmdDone")
                : Fill({{"combo1(0)", c.answer[0]}, {"combo1(1)", c.answer[1]}}, c.answer[2]));
        if (const std::optional<PrinterFontChoice> choice = dialog.Ask(run.dialogs))
            run.state.Choose(*choice);
        const std::string printer = run.state.PrinterName();
        QCOMPARE(QString("%1/%2x%3/%4")
                     .arg(QString::fromStdString(printer + "/" + run.state.FontName()))
                     .arg(run.state.PrinterPage().Columns)
                     .arg(run.state.PrinterPage().Lines)
                     .arg(CurrentPrinterName(printer, run.machine)),
                 c.chosen);
        QVERIFY(run.messages.shown.empty());
    }

    // Keys go where a user's keys go: to the widget that has the focus.
    void printerFontKeyTypedInAListStaysThereAndMovesTheFocusOn() {
        Fixture run(test::Undivided(1));
        PrinterFontDialog dialog(run.state, run.messages, run.machine);
        auto* printers = Child<QComboBox>(dialog, "combo1(0)");
        auto* fonts = Child<QComboBox>(dialog, "combo1(1)");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        printers->setEditText(QString());
        fonts->setEditText(QString());
        printers->setFocus();
        for (const char key : {'X', 'Y', 'Z'})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(printers->currentText() + fonts->currentText(), QString("XY"));
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(dialog, "cmdDone"));
        // Tab types nothing: it walks the focus one step, not two.
        printers->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), fonts);
        QVERIFY(run.messages.shown.empty());
    }

    void printPagesShowsEachPreviewItsTypeTotalsAndPageIndex_data() {
        test::AddRows<PreviewPages>({
            {"undivided", false, "", "Total Number of Pages:", "1     0+00        7+00"},
            {"left side", true, "", "Total Left Side Pages:", "1     L0+00        L7+00"},
            {"right side", true, "RightSide",
             "Total Right Side Pages:", "1     R0+00        R3+00"},
        });
    }
    // The dialog first shows a preview of the other roadway type.
    void printPagesShowsEachPreviewItsTypeTotalsAndPageIndex() {
        QFETCH(PreviewPages, c);
        Fixture run(c.divided ? test::Undivided(120) : test::Divided(40));
        PrintPagesDialog dialog(run.state, run.messages, run.dialogs);
        Child<QLineEdit>(dialog, "Text1")->setText("2");
        run.state.Load(c.divided ? test::Divided(40) : test::Undivided(40));
        dialog.Ask();  // no answer queued: closed without its buttons
        if (!c.side.isEmpty())
            ChooseSide(dialog, c.side);
        const Side chosen = c.side == "RightSide" ? Side::Right : Side::Left;
        const int lastPage = test::LastPage(run.state, chosen);

        QCOMPARE(dialog.objectName() + "=" + dialog.windowTitle(),
                 QString("Form5=Print Selected Pages"));
        QCOMPARE(Child(dialog, "Label4")->text(), QString(c.divided ? "DIVIDED" : "UNDIVIDED"));
        QCOMPARE(Child<QComboBox>(dialog, "Combo2")->isHidden(), !c.divided);
        QCOMPARE(Child(dialog, "Label3")->text(), c.heading);
        QCOMPARE(Child(dialog, "Label6")->text(), QString::number(lastPage + 1));
        QCOMPARE(Child<QLineEdit>(dialog, "Text1")->text(), QString("2"));

        // A page picked in the index goes into the field with a blank after
        // it; left without a pick, the field keeps its text.
        run.dialogs.setNextAnswer([lastPage](QDialog& index) {
            emit Child<QComboBox>(index, "Combo1")->activated(lastPage - 2);
            return index.result();
        });
        Child<QPushButton>(dialog, "Command3")->click();
        Child<QPushButton>(dialog, "Command2")->click();
        QCOMPARE(run.dialogs.execCount, 3);
        QCOMPARE(Child<QLineEdit>(dialog, "Text1")->text(), QString("2"));
        QCOMPARE(Child<QLineEdit>(dialog, "Text2")->text(), QString("%1 ").arg(lastPage - 1));
        // The index lists every page but the last two.
        auto* index = Child<QComboBox>(*dialog.findChild<PageIndexDialog*>(), "Combo1");
        QCOMPARE(index->count(), lastPage - 1);
        QCOMPARE(index->itemText(0), c.firstEntry);

        // The last page of the book is accepted, whatever the other side's total.
        const QString last = QString::number(lastPage + 1);
        run.dialogs.setNextAnswer(Fill({{"Text1", last}, {"Text2", last}}, "Command1(1)"));
        QCOMPARE(dialog.Ask(), (PageRange{chosen, lastPage, lastPage}));
        QVERIFY(run.messages.shown.empty());
    }

    void printPagesGivesTheZeroBasedRangeOfTypedPages_data() {
        const QString outside = " Page numbers should be from 1 to 6, Please correct";
        test::AddRows<TypedPages>({
            {"blanks around", " 2", "3 ", 1, ""},
            {"one page", "1", "1", 0, ""},
            {"from after to", "3", "2", -1,
             " From Page should be smaller than To Page, Please correct"},
            {"blank", "1", "  ", -1, outside},
            {"not a number", "one", "2", -1, outside},
            {"number and text", "1", "2x", -1, outside},
            {"zero", "0", "2", -1, outside},
            {"beyond the book", "1", "7", -1, outside},
        });
    }
    void printPagesGivesTheZeroBasedRangeOfTypedPages() {
        QFETCH(TypedPages, c);
        Fixture run(test::Undivided(40));
        PrintPagesDialog dialog(run.state, run.messages, run.dialogs);
        run.dialogs.setNextAnswer(Fill({{"Text1", c.from}, {"Text2", c.to}}, "Command1(1)"));
        QCOMPARE(dialog.Ask(), c.first < 0 ? std::nullopt
                                           : std::optional(PageRange{Side::Left, c.first,
                                                                     c.to.trimmed().toInt() - 1}));
        QCOMPARE(run.messages.shown, Told(c.message));
    }

    // The page is the 16-bit number before the entry's first blank, kept
    // within the book; anything else is reported and the finder stays shown,
    // so the entry can be corrected.
    void stationFinderReadsOrReportsAnEditedEntry_data() {
        const QString mismatch = " Program Error : Type mismatch";
        test::AddRows<EditedEntry>({
            {"no blank", "3", 2, mismatch},
            {"not a number", "three R1+00", 2, mismatch},
            {"16 bits", "32767 R1+00", -1, ""},
            {"beyond 16 bits", "32768 R1+00", 2, " Program Error : Overflow"},
            {"blanks around", "  4            1 2", 3, ""},
            {"before the book", "0 R1+00", 0, ""},
            {"negative", "-3 x", 0, ""},
        });
    }
    void stationFinderReadsOrReportsAnEditedEntry() {
        QFETCH(EditedEntry, c);
        Fixture run(test::Divided(40));
        QVERIFY(run.state.GoTo(Side::Right, 2));
        StationFinder finder(run.state, run.messages, {});
        finder.Open(Side::Right);

        Child<QComboBox>(finder, "Combo2")->setEditText(c.edited);
        finder.FindStation();

        QCOMPARE(run.state.CurrentPage(),
                 c.page < 0 ? test::LastPage(run.state, Side::Right) : c.page);
        QCOMPARE(run.messages.shown, Told(c.message));
        QCOMPARE(finder.isVisible(), !c.message.isEmpty());
    }

    // A Preview while the finder is open: Find offers the new stations first.
    void stationFinderTakesTheStationsOfANewPreview() {
        Fixture run(test::Undivided(60));
        int redraws = 0;
        StationFinder finder(run.state, run.messages, [&] { ++redraws; });
        finder.Open(Side::Left);
        auto* list = Child<QComboBox>(finder, "Combo1");
        list->setCurrentIndex(list->count() - 1);

        run.state.Load(test::Undivided(10));
        finder.FindStation();
        QCOMPARE(redraws, 0);
        QVERIFY(finder.isVisible());
        QCOMPARE(list->count(), 10);
        QCOMPARE(list->currentText(), QString("1            0+00"));
        list->setCurrentIndex(9);
        Child<QPushButton>(finder, "Command1")->click();
        QCOMPARE(run.state.CurrentPage(), 1);
        QCOMPARE(redraws, 1);
    }

    // Forty stations 0+00 .. 39+00, eight a page: six pages, the viewer on the fourth.
    void stationRangeShowsItsBookOrKeepsTheDialogOpen_data() {
        const QString whole = "; 40 stations; page 4 of 6";
        // clang-format off
        test::AddRows<RangeEntry>({
            {"range", "10+00", "25+00", "cmdOK", "", "Stations 10+00 to 25+00; 16 stations; page 1 of 3"},
            {"open below", "", " 2+00 ", "cmdOK", "", "Stations 0+00 to 2+00; 3 stations; page 1 of 2"},
            {"open above", "39+00", "", "cmdOK", "", "Stations 39+00 to 39+00; 1 stations; page 1 of 1"},
            {"both open", "", "", "cmdOK", "", "; 40 stations; page 1 of 6"},
            {"cancelled", "10+00", "25+00", "cmdCancel", "", whole},
            {"longer B", "", "5+000", "cmdOK", "Station range \"..5+000\": TO \"5+000\" has 3 "
             "digits after the \"+\" where the file's stations have 2.", whole},
            {"no station in range", "50+00", "", "cmdOK",
             "No station lies in 50+00..; the file runs from 0+00 to 39+00.", whole},
        });
        // clang-format on
    }
    void stationRangeShowsItsBookOrKeepsTheDialogOpen() {
        QFETCH(RangeEntry, c);
        Viewer viewer(test::Undivided(40));
        QVERIFY(viewer.state.GoTo(Side::Left, 3));
        bool closed = false;
        viewer.dialogs.setNextAnswer([&](QDialog& dialog) {
            connect(&dialog, &QDialog::finished, [&closed] { closed = true; });
            auto* from = Child<QComboBox>(dialog, "FromStation");
            if (dialog.windowTitle() != "Stations" || from->count() != 40 ||
                from->itemText(39) != "39+00" || !from->currentText().isEmpty())
                return int(QDialog::Rejected);
            return test::Fill({{"FromStation", c.from}, {"ToStation", c.to}}, c.button)(dialog);
        });

        viewer.window->MenuItem("mnuStations")->trigger();

        QCOMPARE(viewer.messages.shown, Told(c.message));
        QCOMPARE(closed, c.message.isEmpty());
        QCOMPARE(Showing(viewer), c.shown);
        QCOMPARE(viewer.window->windowTitle(), QString("Display Report"));
    }

    // The dialog starts at the range shown, lists the side on show; All Stations
    // and a new Preview show the whole book; the View entries follow.
    void stationRangeStartsAtTheRangeShownUntilAllStations() {
        Viewer viewer(test::Undivided(40));
        const auto enabled = [&viewer] {
            QString names;
            for (const char* name : {"mnuStations", "mnuAllStations", "mnuChanges", "mnuBook"})
                names += viewer.window->MenuItem(name)->isEnabled() ? QString(name) + " " : "";
            return names.trimmed();
        };
        viewer.window->RedrawViewerPage();
        QCOMPARE(enabled(), QString("mnuStations mnuChanges"));
        viewer.dialogs.setNextAnswer(
            test::Fill({{"FromStation", "3+00"}, {"ToStation", ""}}, "cmdOK"));
        viewer.window->ChooseStations();
        QCOMPARE(enabled(), QString("mnuStations mnuAllStations mnuChanges"));
        QStringList presets;
        viewer.dialogs.setNextAnswer([&presets](QDialog& dialog) {
            presets << Child<QComboBox>(dialog, "FromStation")->currentText()
                    << Child<QComboBox>(dialog, "ToStation")->currentText();
            return int(QDialog::Rejected);
        });
        viewer.window->ChooseStations();
        QCOMPARE(presets, QStringList({"3+00", ""}));
        QCOMPARE(Showing(viewer), QString("Stations 3+00 to 39+00; 37 stations; page 1 of 6"));

        viewer.window->MenuItem("mnuAllStations")->trigger();
        QCOMPARE(Showing(viewer), QString("; 40 stations; page 1 of 6"));
        QCOMPARE(enabled(), QString("mnuStations mnuChanges"));
        viewer.dialogs.setNextAnswer(test::Fill({{"ToStation", "9+00"}}, "cmdOK"));
        viewer.window->ChooseStations();
        viewer.state.Load(test::Divided(20));  // a new Preview
        viewer.window->RedrawViewerPage();
        QCOMPARE(Showing(viewer), QString("; 40 stations; page 1 of 4"));
        QVERIFY(viewer.state.GoTo(Side::Right, 0));
        StationRangeDialog dialog(viewer.state, viewer.messages);
        dialog.Ask(viewer.dialogs);
        QCOMPARE(Child<QComboBox>(dialog, "ToStation")->itemText(0), QString("R0+00"));
        QVERIFY(viewer.messages.shown.empty());
    }

    // Save as PDF writes every page in print order, Save Grades the grades of the book on show as
    // the sheet writers write them; either adds its suffix to a name without one, keeps the
    // viewer's page, never writes over the report and gives the system's reason for a failure.
    void savingWritesTheBookOnShowButNeverTheReport_data() {
        const QString report =
            "The book cannot be written to %1: it is the paving grades report "
            "the book is read from.";
        const QString saved = "Grades have been saved to %1.";
        // clang-format off
        test::AddRows<Saved>({
            {"PDF", "SaveAsPdf", "", "book", "Pages have been saved to %1.pdf."},
            {"PDF over the report", "SaveAsPdf", "", "./report.csv", report},
            {"whole book, CSV", "SaveGrades", "", "grades.csv", saved},
            {"range, workbook", "SaveGrades", "10+00..25+00", "grades.XLSX", saved},
            {"no suffix: CSV", "SaveGrades", "..4+00", "grades", saved + "csv."},
            {"no suffix, workbooks chosen", "SaveGrades", "", "grades|Excel workbooks (*.xlsx)",
             saved + "xlsx."},
            {"grades over the report", "SaveGrades", "", "./report.csv", report},
            {"no such folder", "SaveGrades", "", "missing/grades.csv",
             "Saving failed: the file %1 could not be written: "},
        });
        // clang-format on
    }
    void savingWritesTheBookOnShowButNeverTheReport() {
        QFETCH(Saved, c);
        QTemporaryDir folder;
        const QString report = folder.filePath("report.csv"),
                      path = folder.filePath(c.chosen.section('|', 0, 0));
        const QByteArray reportText = " PAVING GRADES REPORT\n";
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(reportText) > 0);
        file.close();
        const bool pdf = QString(c.menu) == "SaveAsPdf";
        PreparedBooks books = pdf ? test::Divided(30) : test::Undivided(40);
        books.SourceFile = report.toStdString();
        Viewer viewer(books);
        std::vector<const Book*> expected{&books.Books.front().Book};
        Book range;
        if (!c.range.isEmpty()) {
            viewer.state.ShowRange(*viewer.state.ReadRange(c.range.toStdString()).Range);
            range = RangeBook(*expected.front(), *viewer.state.Range());
            expected = {&range};
        }
        // "name|filter": the name typed and the filter chosen.
        viewer.dialogs.selectedFilter = c.chosen.section('|', 1);
        QVERIFY(viewer.state.GoTo(Side::Left, c.range.isEmpty() ? 1 : 0));
        const QString where = viewer.Where();
        viewer.window->MenuItem(c.menu)->trigger();  // no file name: the chooser was cancelled
        viewer.dialogs.setNextFileName(path);

        viewer.window->MenuItem(c.menu)->trigger();

        QCOMPARE(viewer.dialogs.lastFilter,
                 pdf ? "PDF Files (*.pdf)" : "CSV files (*.csv);;Excel workbooks (*.xlsx)");
        QCOMPARE(viewer.messages.shown.size(), size_t{1});
        QVERIFY2(viewer.messages.shown.front().rfind(c.message.arg(path).toStdString(), 0) == 0,
                 viewer.messages.shown.front().c_str());
        QCOMPARE(viewer.Where(), where);
        QCOMPARE(ReadAll(report), reportText);
        QStringList written = QDir(folder.path()).entryList(QDir::Files | QDir::System);
        written.removeOne("report.csv");
        if (!c.message.startsWith("Grades") && !c.message.startsWith("Pages")) {
            QCOMPARE(written, QStringList());
            return;
        }
        QCOMPARE(written.size(), 1);
        const QString made = folder.filePath(written[0]), sheets = folder.filePath("sheets");
        const GradeRows rows(expected, 2);
        if (pdf) {
            if (QStandardPaths::findExecutable("pdftotext").isEmpty())
                return;
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-layout", made, "-"});
            QVERIFY(pdftotext.waitForFinished());
            const QStringList pages =
                QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
            const int left = test::LastPage(viewer.state, Side::Left) + 1;
            const int right = test::LastPage(viewer.state, Side::Right) + 1;
            QCOMPARE(pages.size(), left + right + 1);  // a form feed ends each page
            QVERIFY(pages[left].contains(QString("(Right)Page No.:1 of %1").arg(right)) &&
                    pages[left].contains("R0+00"));
        } else if (made.endsWith(".xlsx", Qt::CaseInsensitive)) {
            QVERIFY(WriteXlsx({{"Grades", rows}}, sheets.toStdString()));
            QVERIFY(SameWorkbook(made, sheets));
        } else {
            QVERIFY(WriteCsv(rows, sheets.toStdString()));
            QCOMPARE(ReadAll(made), ReadAll(sheets));
        }
    }

    // The print pages dialog and its page index are measured undivided and on each side.
    void captionsShowWhole() {
        Fixture run(test::Undivided(40));
        test::FakeSystemTools tools;
        AboutDialog about(run.messages, tools);
        PrinterFontDialog fonts(run.state, run.messages, run.machine);
        StationFinder finder(run.state, run.messages, {});
        finder.Open(Side::Left);
        PrintPagesDialog pages(run.state, run.messages, run.dialogs);
        StationRangeDialog range(run.state, run.messages);
        QString cut = test::CutCaptions(about) + test::CutCaptions(fonts) +
                      test::CutCaptions(finder) + test::CutCaptions(range);
        for (const char* side : {"", "LeftSide", "RightSide"}) {
            if (*side) {
                run.state.Load(test::Divided(40));
                pages.Ask();  // no answer queued: takes the divided roadway, then closes
                ChooseSide(pages, side);
            }
            cut +=
                test::CutCaptions(pages) + test::CutCaptions(*pages.findChild<PageIndexDialog*>());
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }
};

int main(int argc, char** argv) {
    // Keep the machine's printers out of the test: no scheduler answers here.
    qputenv("CUPS_SERVER", "/nonexistent/corvane-test/cups.sock");
    QApplication app(argc, argv);
    ViewerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "viewer_test.moc"
