// The main window: its start-up state, the option rules, Customize, the file
// chooser, and the Preview command from the controls to the viewer.
#include <QtTest>
#include <QtWidgets>

#include <pwd.h>
#include <unistd.h>

#include <memory>

#include "app/main_window.h"
#include "bad_inputs.h"
#include "compare/change_rows.h"
#include "input/read_roadway.h"
#include "report/grid_surface.h"
#include "report/station_value.h"
#include "report/text_book.h"
#include "sheets/csv_writer.h"
#include "viewer/captions_fit.h"
#include "viewer/fake_platform.h"
#include "viewer/fresh_settings.h"
#include "viewer/twips.h"
#include "viewer/viewer_fixture.h"

using namespace corvane;

namespace {

const QString kData = CORVANE_TEST_DATA;
using Shown = std::vector<std::string>;

// The main window on a machine with two printers, answering every dialog from a script.
struct Desktop {
    Desktop()
        : form(std::make_unique<MainWindow>(WindowServices{messages, dialogs, machine, tools})) {}

    template <typename Widget = QWidget>
    Widget* Control(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QCheckBox* Box(const char* array, int index) const {
        return Control<QCheckBox>(QString("%1(%2)").arg(array).arg(index));
    }
    QLineEdit* Text(const char* array, int index) const {
        return Control<QLineEdit>(QString("%1(%2)").arg(array).arg(index));
    }
    void Numbers() const {
        Text("Text1", 0)->setText("0417");
        Text("Text1", 1)->setText("60-1");
    }
    void Click(const QString& button) const { Control<QPushButton>(button)->click(); }
    // Whether the seven point-type boxes are all ticked (or all clear) and locked (or free).
    bool PointBoxes(bool ticked, bool enabled) const {
        for (int index = 0; index < 7; ++index)
            if (Box("Check1", index)->isChecked() != ticked ||
                Box("Check1", index)->isEnabled() != enabled)
                return false;
        return true;
    }

    // Fills the numbers, chooses the file and presses Preview; Done closes the printer dialog.
    void Preview(const QString& file, bool acceptDialog = true) {
        Numbers();
        form->ChooseFile(QDir(kData).filePath(file));  // an absolute path stays
        if (acceptDialog)
            dialogs.setNextAnswer(test::Fill({}, "cmdDone"));
        Click("Command3");
    }
    ReportViewer* Viewer() const { return form->Windows().Viewer(); }
    const ViewerState& State() const { return form->Windows().State(); }
    bool MenuShown(const char* name) const { return Viewer()->MenuItem(name)->isVisible(); }
    // The books on show with the file they came from, the side and the page.
    std::string Showing() const {
        return TextBook(State().Books(), State().Books().Header) + State().Books().SourceFile +
               char('0' + int(State().CurrentSide())) + std::to_string(State().CurrentPage());
    }

    RecordingMessages messages;
    ScriptedDialogs dialogs;
    test::FakePrintersAndFonts machine;
    test::FakeSystemTools tools;
    std::unique_ptr<MainWindow> form;
};

// The fields the font and printer dialog starts with at the Preview of a file (then Cancel),
// each as "text of entry,entry,...".
QStringList DialogFields(Desktop& desktop, const QString& file = "short-undivided.csv") {
    QStringList fields;
    desktop.dialogs.setNextAnswer([&fields](QDialog& dialog) {
        for (const auto* list : dialog.findChildren<QComboBox*>(QRegularExpression("^combo1"))) {
            QStringList items;
            for (int index = 0; index < list->count(); ++index)
                items << list->itemText(index);
            fields << list->currentText() + " of " + items.join(',');
        }
        return int(QDialog::Rejected);
    });
    desktop.Preview(file, false);
    return fields;
}

// The folder File Browse opens in.
QString BrowseFolder(Desktop& desktop) {
    desktop.Click("Command1");
    return desktop.dialogs.lastFolder;
}

struct Revision {
    const char* name;
    QString newer, earlier;  // the report previewed and the earlier revision
    bool offsets;            // an offset point 2.5 ft in on the left
    QString range;           // shown before the changes are asked for; empty: the whole book
    QString message;         // empty: the changes are shown
};

// The grade books of a file made by the chain itself, with the window's options.
std::vector<Book> ChainBooks(const Desktop& desktop, const QString& file, const QString& range) {
    RunHooks hooks;  // the books are the same on every page
    RunInputs inputs = desktop.form->Inputs();
    inputs.InputFile = file.toStdString();
    RecordingMessages messages;
    std::vector<Book> books;
    auto made = PrepareBooks(inputs, messages, hooks);
    for (PaginatedBook& book : std::get<PreparedBooks>(made).Books)
        books.push_back(std::move(book.Book));
    if (range.isEmpty())
        return books;
    return RangeBooks(books, *ReadStationRange(range.toStdString(), StationDigitsOf(books)).Range);
}

// Every page the viewer shows, as the text book writes pages.
std::string PagesOnShow(const ViewerState& state) {
    GridSurface grid(RoundHalfEven(state.Page().Lines));
    std::string text;
    for (const BookPage& page : state.AllPages()) {
        grid.Clear();
        state.DrawPage(grid, page);
        grid.AppendPageText(text);
        text += "\f\n";
    }
    return text;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { test::ForgetSettings(); }

    // About opens modal (through the dialogs); Customize expands the form; Enter moves on.
    void startsCollapsedThenAboutCustomizeAndEnterWork() {
        Desktop desktop;
        QCOMPARE(desktop.form->objectName(), QString("Form2"));
        QCOMPARE(desktop.Control<QLabel>("Label4")->text(), QString("#"));
        QVERIFY(desktop.PointBoxes(true, false) && desktop.form->Inputs().CheckAllPoints);
        // The books are laid out on the current printer's page from the start.
        QCOMPARE(desktop.State().PrinterPage(), (PageSize{97.5, 63.5}));
        QCOMPARE(desktop.form->height(), TwipsToPixels(3420, desktop.form->logicalDpiY()));

        QString shown;
        desktop.dialogs.setNextAnswer([&shown](QDialog& dialog) {
            shown = dialog.objectName();
            return int(QDialog::Accepted);
        });
        desktop.Click("Command2");
        QCOMPARE(shown, QString("frmAbout"));
        desktop.Click("Command5");  // Customize
        QCOMPARE(desktop.form->OuterHeightTwips(), 7980.0);
        QCOMPARE(desktop.form->height(), TwipsToPixels(7980 - 420, desktop.form->logicalDpiY()));
        QVERIFY(!desktop.Box("Check2", 0)->isHidden());
        QCOMPARE(desktop.messages.shown, Shown{"Please Input Project Number and Control Number"});
        desktop.Numbers();
        desktop.Click("Command5");
        QCOMPARE(desktop.form->OuterHeightTwips(), 3840.0);
        QVERIFY(desktop.Box("Check2", 0)->isHidden());
        QCOMPARE(desktop.messages.shown.size(), size_t{1});

        desktop.form->show();
        QVERIFY(QTest::qWaitForWindowActive(desktop.form.get()));
        desktop.Text("Text1", 0)->setFocus();
        QTest::keyClick(desktop.Text("Text1", 0), Qt::Key_Return);
        QVERIFY(desktop.Text("Text1", 1)->hasFocus());
        QTest::keyClick(desktop.Text("Text1", 1), Qt::Key_Enter);
        QVERIFY(desktop.Control("Command1")->hasFocus());
    }

    // The file chooser keeps the last choice on Cancel; the controls gather into the inputs.
    void controlsGatherIntoTheRunInputs() {
        Desktop desktop;
        auto* label = desktop.Control<QLabel>("Label4");
        desktop.Click("Command1");  // cancelled before any choice
        QCOMPARE(desktop.dialogs.lastFilter, QString("Geopak Criteria CSV Files (*.csv)"));
        QCOMPARE(desktop.form->Inputs().InputFile, std::string());
        QCOMPARE(label->text(), QString());
        for (const char* answer : {"/data/sr60.csv", ""}) {
            desktop.dialogs.setNextFileName(answer);
            desktop.Click("Command1");
            QCOMPARE(desktop.form->Inputs().InputFile, std::string("/data/sr60.csv"));
            QCOMPARE(label->text(), QString("/data/sr60.csv"));
        }
        desktop.Box("Check1", 7)->click();
        QVERIFY(desktop.PointBoxes(false, true));
        desktop.Box("Check1", 3)->click();
        desktop.Box("Check1", 6)->click();
        desktop.Box("Check2", 1)->click();
        QVERIFY(desktop.Text("Text2", 1)->isEnabled() && !desktop.Text("Text2", 0)->isEnabled());
        QVERIFY(desktop.Control("Combo1(1)")->isEnabled() &&
                desktop.Control("Label6(1)")->isEnabled());
        desktop.Text("Text2", 1)->setText("2.5");
        desktop.Control<QComboBox>("Combo1(1)")->setCurrentIndex(1);
        desktop.Text("Text1", 0)->setText("0417");

        const RunInputs inputs = desktop.form->Inputs();
        QCOMPARE(inputs.ProjectNumber, std::string("0417"));
        QVERIFY(!inputs.CheckAllPoints);
        QVERIFY(inputs.Types.JLPoints && inputs.Types.CLPoints && !inputs.Types.BOCPoints &&
                !inputs.Types.OffsetPoints);
        QVERIFY(!inputs.LeftOffset.Asked && inputs.RightOffset.Asked);
        QCOMPARE(inputs.RightOffset.Distance, std::string("2.5"));
        QVERIFY(inputs.RightOffset.From == OffsetFrom::CenterLine &&
                inputs.LeftOffset.From == OffsetFrom::LastPoint);

        // Unticking a row locks it and keeps what was typed; ticking all locks the seven ticked.
        desktop.Box("Check2", 1)->click();
        QVERIFY(!desktop.Text("Text2", 1)->isEnabled() &&
                !desktop.form->Inputs().RightOffset.Asked);
        QCOMPARE(desktop.Text("Text2", 1)->text(), QString("2.5"));
        desktop.Box("Check1", 7)->click();
        QVERIFY(desktop.PointBoxes(true, false));
    }

    // Collapsed and expanded, with a file chosen whose path is longer than its room.
    void captionsShowWhole() {
        Desktop desktop;
        const QString path = "/home/surveyor/projects/district four/SR 60 widening/grades/" +
                             QString(40, 'x') + "-final.csv";
        desktop.form->ChooseFile(path);
        auto* label = desktop.Control<QLabel>("Label4");
        QCOMPARE(label->toolTip(), path);
        // Cut in the middle: the start and the file name's end stay readable.
        QVERIFY(label->text().startsWith("/home/") && label->text().endsWith("-final.csv"));
        QString cut = test::CutCaptions(*desktop.form);
        desktop.Click("Command5");
        cut += test::CutCaptions(*desktop.form);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }

    // A run stopped after the dialog (a printer page the book does not fit) opens no window.
    void stoppedPreviewsOpenNoViewer() {
        Desktop desktop;
        desktop.machine.pages["Office Laser"] = PageSize{96, 110};
        desktop.Preview("short-undivided.csv");
        QCOMPARE(desktop.dialogs.execCount, 1);
        QVERIFY(desktop.messages.shown.back().starts_with("The printer's page of 96x110 cells"));
        QVERIFY(desktop.Viewer() == nullptr);
    }

    // Whichever button closes the font and printer dialog, the book is shown on its first page;
    // Cancel keeps the printer and font chosen before. A second Preview reuses the open viewer.
    // Closing the main window closes every other window.
    void previewOpensTheViewerAndASecondKeepsIt() {
        Desktop desktop;
        desktop.form->show();
        desktop.Preview("sr60-undivided.csv", false);
        QVERIFY(desktop.Viewer() && desktop.Viewer()->isVisible());
        QCOMPARE(desktop.State().PrinterName(), std::string());
        desktop.Preview("sr60-undivided.csv");
        QCOMPARE(desktop.messages.shown, Shown{});
        QCOMPARE(desktop.State().PrinterName(), std::string("Office Laser"));
        QCOMPARE(desktop.State().Header().FontName, std::string("Lucida Console"));
        QVERIFY(desktop.State().BookOf(Side::Left)->Pagination.LastPage >= 1);
        QPointer<ReportViewer> viewer = desktop.Viewer();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QSize userSize(500, 400);
        viewer->resize(userSize);
        QTRY_COMPARE(viewer->size(), userSize);
        viewer->ShowNextPage();

        desktop.Preview("i4-divided.csv");
        QCOMPARE(desktop.Viewer(), viewer.data());
        QCOMPARE(viewer->size(), userSize);
        // Still the Go To entries of the roadway it was loaded for.
        QVERIFY(desktop.MenuShown("mnuGoToStation") && !desktop.MenuShown("mnuStationLeft"));
        QCOMPARE(desktop.State().CurrentSide(), Side::Left);
        QCOMPARE(desktop.State().CurrentPage(), 0);

        viewer->MenuItem("viewEnd")->trigger();
        QTRY_VERIFY(viewer.isNull());
        desktop.Preview("i4-divided.csv");
        viewer = desktop.Viewer();
        QVERIFY(viewer && desktop.MenuShown("mnuStationLeft"));
        desktop.Click("Command4");
        QVERIFY(!desktop.form->isVisible());
        QTRY_VERIFY(viewer.isNull());
        QCOMPARE(desktop.form->ExitStatus(), 0);
    }

    // The changes of an earlier revision against the book on show, made with its options and
    // range, as the compare makes them with no tolerance; refused files and no change keep the
    // book; The Book returns to it; Save Grades writes the changes shown.
    void changesFromRevisionShowsTheChangesBook_data() {
        const QString samples = CORVANE_SAMPLES "/", undivided = "undivided-revised.csv";
        // clang-format off
        test::AddRows<Revision>({
            {"undivided", undivided, samples + "undivided-sample.csv", false, "", ""},
            {"divided, offsets, a range", "divided-revised.csv", samples + "divided-sample.csv",
             true, "1212+00..1222+00 NB", ""},
            {"no change", undivided, kData + "/" + undivided, false, "",
             "No grade changed from undivided-revised.csv to undivided-revised.csv."},
            {"other type", undivided, kData + "/i4-divided.csv", false, "",
             "i4-divided.csv is a divided roadway, undivided-revised.csv an undivided one."},
            {"refused", undivided, kData + "/golden/changes-undivided.txt", false, "",
             "changes-undivided.txt: "},
        });
        // clang-format on
    }
    void changesFromRevisionShowsTheChangesBook() {
        QFETCH(Revision, c);
        Desktop desktop;
        desktop.Box("Check2", 0)->setChecked(c.offsets);
        desktop.Text("Text2", 0)->setText("2.5");
        desktop.Preview(c.newer);
        ReportViewer* viewer = desktop.Viewer();
        if (!c.range.isEmpty()) {
            const QStringList bounds = c.range.split("..");
            desktop.dialogs.setNextAnswer(
                test::Fill({{"FromStation", bounds[0]}, {"ToStation", bounds[1]}}, "cmdOK"));
            viewer->MenuItem("mnuStations")->trigger();
        }
        viewer->ShowNextPage();
        QCOMPARE(desktop.messages.shown, Shown{});
        const std::string book = PagesOnShow(desktop.State());
        desktop.messages.shown.clear();
        desktop.dialogs.setNextFileName(c.earlier);

        viewer->MenuItem("mnuChanges")->trigger();

        if (!c.message.isEmpty()) {
            QCOMPARE(desktop.messages.shown.size(), size_t{1});
            QVERIFY2(desktop.messages.shown.front().rfind(c.message.toStdString(), 0) == 0,
                     desktop.messages.shown.front().c_str());
            QVERIFY(!desktop.State().Changes() && !viewer->MenuItem("mnuBook")->isEnabled());
            QCOMPARE(PagesOnShow(desktop.State()), book);
            return;
        }
        const std::string earlier = QFileInfo(c.earlier).fileName().toStdString();
        const std::optional<Comparison> comparison =
            CompareBooks(ChainBooks(desktop, c.earlier, c.range),
                         ChainBooks(desktop, kData + "/" + c.newer, c.range), {});
        QCOMPARE(PagesOnShow(desktop.State()),
                 ChangesBookText(MakeChangesBooks(*comparison, earlier, c.newer.toStdString(),
                                                  desktop.State().Page()),
                                 desktop.State().Page(), desktop.State().Header()));
        QCOMPARE(viewer->StatusText("revisionChanges"),
                 QString::fromStdString("Changes from " + earlier));
        QCOMPARE(viewer->windowTitle(), QString("Display Report"));
        QCOMPARE(desktop.State().CurrentPage(), 0);
        QVERIFY(!viewer->MenuItem("mnuChanges")->isEnabled());
        QTemporaryDir folder;
        desktop.dialogs.setNextFileName(folder.filePath("changes.csv"));
        viewer->MenuItem("SaveGrades")->trigger();
        QVERIFY(WriteCsv(ChangeRows(*comparison), folder.filePath("rows.csv").toStdString()));
        QFile saved(folder.filePath("changes.csv")), rows(folder.filePath("rows.csv"));
        QVERIFY(saved.open(QIODevice::ReadOnly) && rows.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), rows.readAll());

        viewer->MenuItem("mnuBook")->trigger();
        QCOMPARE(PagesOnShow(desktop.State()), book);
        QCOMPARE(desktop.State().CurrentPage(), 1);
        QCOMPARE(viewer->StatusText("revisionChanges"), QString());
    }

    // Each report file chosen after a good book was previewed gives the command line's messages.
    // A refused file leaves the viewer on the previous book, page and picture alike; a readable
    // one shows its own book; a wrong side marker ends the program.
    void reportFilesGiveTheirMessagesAndNeverAHalfReplacedBook_data() { AddReportFileRows(); }
    void reportFilesGiveTheirMessagesAndNeverAHalfReplacedBook() {
        QFETCH(QByteArray, file);
        QFETCH(int, place);
        QFETCH(QString, messages);
        QFETCH(QStringList, book);
        QTemporaryDir folder;
        QFile::setPermissions(folder.path(), QFile::Permissions(0x7777));  // open to nobody
        const QString input = folder.filePath("grades.csv");
        QVERIFY(PlaceInput(input, file, place));

        Desktop desktop;
        desktop.form->show();
        desktop.Box("Check2", 0)->setChecked(true);  // as the command line's --left-offset 3
        desktop.Text("Text2", 0)->setText("3");
        desktop.Preview("i4-divided.csv");
        desktop.Viewer()->ShowNextPage();
        desktop.messages.shown.clear();
        const std::string shown = desktop.Showing();
        const QImage picture = desktop.Viewer()->grab().toImage();
        // Root passes every permission check: the file is opened as nobody.
        const bool asNobody = place == UnreadableFile && geteuid() == 0;
        if (asNobody && !(getpwnam("nobody") && seteuid(getpwnam("nobody")->pw_uid) == 0))
            QSKIP("running as root, and files cannot be opened as nobody");
        desktop.Preview(input, false);
        if (asNobody && seteuid(0) != 0)
            qFatal("cannot open files as root again");

        QString lines;
        for (const std::string& message : desktop.messages.shown)
            lines += QString::fromStdString(message) + "\n";
        QCOMPARE(lines, messages.replace("%1", input));
        if (messages.endsWith("Program Exiting\n")) {
            QVERIFY(!desktop.form->isVisible());
            QTRY_VERIFY(desktop.Viewer() == nullptr);
            QCOMPARE(desktop.form->ExitStatus(), 1);
        } else if (book.isEmpty()) {
            QCOMPARE(desktop.Showing(), shown);
            QCOMPARE(desktop.Viewer()->grab().toImage(), picture);
        } else {
            QCOMPARE(desktop.State().Books().SourceFile, input.toStdString());
            QCOMPARE(desktop.State().CurrentPage(), 0);
            const QString fault =
                BookFault(QString::fromStdString(
                              TextBook(desktop.State().Books(), desktop.State().Books().Header)),
                          book, file);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    // A later window starts with the folder of the last file chosen, and with the printer and
    // font of the last Preview while they are installed; otherwise as if nothing were remembered.
    void nextWindowStartsWithWhatTheLastRemembered() {
        QTemporaryDir folder;
        const QString file = folder.filePath("grades.csv");
        QVERIFY(QFile::copy(kData + "/short-undivided.csv", file));
        {
            Desktop first;
            QCOMPARE(BrowseFolder(first), QString());
            first.dialogs.setNextAnswer(
                test::Fill({{"combo1(0)", "Plotter"}, {"combo1(1)", "Courier New"}}, "cmdDone"));
            first.Preview("short-undivided.csv", false);
            first.dialogs.setNextFileName(file);
            first.Click("Command1");
        }
        // What is still installed, and the fields the dialog starts with.
        struct Machine {
            QStringList printers, fonts, fields;
        };
        const QStringList printers{"Plotter", "Office Laser"},
            fonts = test::FakePrintersAndFonts().fonts;
        const QString listed = " of Plotter,Office Laser",
                      fontsListed = " of Courier New,Lucida Console";
        // clang-format off
        for (const Machine& machine :
             {Machine{printers, fonts, {"Plotter" + listed, "Courier New" + fontsListed}},
              Machine{{"Office Laser"}, fonts, {"Office Laser of Office Laser", "Courier New" + fontsListed}},
              Machine{printers, {"MS LineDraw", "Lucida Console"},
                      {"Plotter" + listed, "Lucida Console of MS LineDraw,Lucida Console"}}}) {
            // clang-format on
            Desktop next;
            QCOMPARE(BrowseFolder(next), folder.path());
            next.machine.printers = machine.printers;
            next.machine.fonts = machine.fonts;
            QCOMPARE(DialogFields(next, file), machine.fields);
        }
        // A vanished folder is forgotten for good, even when it comes back.
        QVERIFY(folder.remove());
        Desktop afterRemoval;
        QCOMPARE(BrowseFolder(afterRemoval), QString());
        QVERIFY(QDir().mkpath(folder.path()));
        QCOMPARE(BrowseFolder(afterRemoval), QString());
    }

    // A settings file that cannot be read (a folder in its place) is passed over in silence:
    // nothing is remembered, nothing is stored, everything else works.
    void unreadableSettingsChangeNothing() {
        const QString settingsFile = test::SettingsFolder() + "/Corvane.ini";
        QVERIFY(QDir().mkpath(settingsFile));
        for (int window = 0; window < 2; ++window) {
            Desktop desktop;
            QCOMPARE(BrowseFolder(desktop), QString());
            QCOMPARE(DialogFields(desktop),
                     QStringList({"Office Laser of Plotter,Office Laser",
                                  "Lucida Console of Courier New,Lucida Console"}));
            desktop.dialogs.setNextAnswer(test::Fill({{"combo1(0)", "Plotter"}}, "cmdDone"));
            desktop.Preview("short-undivided.csv", false);
            QVERIFY(desktop.State().PrinterName() == "Plotter" && desktop.Viewer());
            QCOMPARE(desktop.messages.shown, Shown{});
        }
        QVERIFY(QFileInfo(settingsFile).isDir() && QDir(settingsFile).isEmpty());
    }

    // Exactly one existing file, dropped on the window or on a text box, is chosen as File
    // Browse would; any other drop is refused, changes nothing and pastes no text.
    void droppedFileIsChosenAndAnythingElseRefused() {
        QTemporaryDir folder;
        const QString file = folder.filePath("grades.csv");
        QVERIFY(WriteFile(file, "grades"));
        const QUrl url = QUrl::fromLocalFile(file),
                   other = QUrl::fromLocalFile(kData + "/short-undivided.csv");
        struct Drop {
            const char* name;
            QList<QUrl> urls;
            QString text;
        };
        // clang-format off
        for (const Drop& drop :
             {Drop{"one file", {url}, {}}, Drop{"one file and its name", {url}, file},
              Drop{"two files", {url, other}, {}}, Drop{"a folder", {QUrl::fromLocalFile(folder.path())}, {}},
              Drop{"a missing file", {QUrl::fromLocalFile(file + ".old")}, {}},
              Drop{"a remote file", {QUrl("https://example.com/g.csv")}, {}}, Drop{"a text", {}, "0417"}}) {
            // clang-format on
            for (const char* target : {"Form2", "Text1(0)"}) {
                test::ForgetSettings();
                Desktop desktop;
                QMimeData data;
                data.setUrls(drop.urls);
                if (!drop.text.isEmpty())
                    data.setText(drop.text);
                // Shift proposes a move: the file must stay where it is all the same.
                const auto actions = Qt::CopyAction | Qt::MoveAction;
                QDragEnterEvent enter({4, 4}, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
                QDropEvent dropped(QPointF(4, 4), actions, &data, Qt::LeftButton,
                                   Qt::ShiftModifier);
                QWidget* onto =
                    QString(target) == "Form2" ? desktop.form.get() : desktop.Control(target);
                QCoreApplication::sendEvent(onto, &enter);
                const bool chosenOnEnter = !desktop.form->Inputs().InputFile.empty();
                QCoreApplication::sendEvent(onto, &dropped);

                const bool taken = drop.urls == QList{url};
                const QString row = QString("%1 on %2").arg(drop.name, target);
                QVERIFY2(!chosenOnEnter && enter.isAccepted() == taken &&
                             dropped.isAccepted() == taken &&
                             (!taken || dropped.dropAction() == Qt::CopyAction) &&
                             desktop.Text("Text1", 0)->text().isEmpty(),
                         qPrintable(row));
                QCOMPARE(QString::fromStdString(desktop.form->Inputs().InputFile),
                         taken ? file : "");
                QCOMPARE(desktop.Control<QLabel>("Label4")->toolTip(), taken ? file : "#");
                QCOMPARE(BrowseFolder(desktop), taken ? folder.path() : QString());
            }
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
