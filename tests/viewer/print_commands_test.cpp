// The viewer's Go To and Print commands, without a printer: the station finder
// they open, the print-selected-pages dialog's life, and Save as PDF.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include "printing_book.h"
#include "viewer/form5.h"
#include "viewer/frm_print.h"
#include "viewer/frm_station.h"

using namespace corvane;

namespace {

struct Viewer {
    State state;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmPrint> window;

    void Make() {
        window = std::make_unique<frmPrint>(state, messages, dialogs);
        window->Load();
    }
    frmStation* Finder() const { return window->findChild<frmStation*>(); }
};

ScriptedDialogs::Answer TypePages(const QString& from, const QString& to) {
    return [=](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(from);
        dialog.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(to);
        dialog.findChild<QPushButton*>(QStringLiteral("Command1(1)"))->click();
        return dialog.result();
    };
}

}  // namespace

class PrintCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void goToStationRightOpensTheRightList();
    void goToStationLeftOpensTheLeftList();
    void printingWithoutAPrinterSaysSoAndNeverSent();
    void theDialogKeepsItsFieldsAfterPrintAndStartsEmptyAfterCancel();
    void saveAsPdfWritesEveryPageAndKeepsTheViewerPage();
    void saveAsPdfCancelledInTheFileChooserWritesNothing();
    void saveAsPdfNeverReplacesTheReportOfTheBook_data();
    void saveAsPdfNeverReplacesTheReportOfTheBook();
};

void PrintCommandsTest::goToStationRightOpensTheRightList() {
    Viewer viewer;
    test::MakeDividedBook(viewer.state, 30);
    viewer.Make();

    viewer.window->mnuStationRight_Click();

    QCOMPARE(viewer.state.settings.CurrentSide, kRightSide);
    frmStation* finder = viewer.Finder();
    QVERIFY(finder && finder->isVisible());
    auto* right = finder->findChild<QComboBox*>(QStringLiteral("Combo2"));
    QVERIFY(right->isVisible());
    right->setCurrentIndex(right->count() - 1);
    std::string why;
    const std::optional<int32_t> page =
        ReadEntryPageNumber(right->currentText().toStdString(), why);
    QVERIFY(page && *page > 1);
    finder->Command1_Click();
    QCOMPARE(viewer.state.cursor.CurrentPage, *page - 1);
    QVERIFY(viewer.messages.shown.empty());
}

void PrintCommandsTest::goToStationLeftOpensTheLeftList() {
    Viewer viewer;
    test::MakeDividedBook(viewer.state, 30);
    viewer.state.settings.CurrentSide = kRightSide;
    viewer.Make();

    viewer.window->mnuStationLeft_Click();

    QCOMPARE(viewer.state.settings.CurrentSide, kLeftSide);
    QVERIFY(viewer.Finder()->findChild<QComboBox*>(QStringLiteral("Combo1"))->isVisible());
    QVERIFY(!viewer.Finder()->findChild<QComboBox*>(QStringLiteral("Combo2"))->isVisible());
}

void PrintCommandsTest::printingWithoutAPrinterSaysSoAndNeverSent() {
    Viewer viewer;
    test::MakeUndividedBook(viewer.state, 30);
    viewer.Make();

    viewer.window->viewprint_Click();
    viewer.dialogs.setNextAnswer(TypePages(QStringLiteral("1"), QStringLiteral("2")));
    viewer.window->PrnSelPages_Click();

    QCOMPARE(viewer.messages.shown,
             (std::vector<std::string>{"Printing failed: no printer is chosen.",
                                       "Printing failed: no printer is chosen."}));
}

void PrintCommandsTest::theDialogKeepsItsFieldsAfterPrintAndStartsEmptyAfterCancel() {
    Viewer viewer;
    test::MakeUndividedBook(viewer.state, 30);
    viewer.Make();
    QString shownFrom;
    const auto remember = [&](QDialog& dialog) {
        shownFrom = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
        dialog.findChild<QPushButton*>(QStringLiteral("Command1(0)"))->click();
        return dialog.result();
    };

    viewer.dialogs.setNextAnswer(TypePages(QStringLiteral("2"), QStringLiteral("3")));
    viewer.window->PrnSelPages_Click();
    viewer.dialogs.setNextAnswer(remember);
    viewer.window->PrnSelPages_Click();
    QCOMPARE(shownFrom, QStringLiteral("2"));

    // Cancel unloaded it: nothing to print, and the next showing starts empty.
    QVERIFY(viewer.state.dialogs.PrintCancelled);
    viewer.dialogs.setNextAnswer(remember);
    viewer.window->PrnSelPages_Click();
    QCOMPARE(shownFrom, QString());
    // A dialog closed without its buttons prints nothing either.
    viewer.messages.shown.clear();
    viewer.window->PrnSelPages_Click();
    QVERIFY(viewer.messages.shown.empty());
    QVERIFY(viewer.state.dialogs.PrintCancelled);
}

void PrintCommandsTest::saveAsPdfWritesEveryPageAndKeepsTheViewerPage() {
    Viewer viewer;
    test::MakeDividedBook(viewer.state, 30);
    viewer.state.cursor.CurrentPage = 1;
    viewer.Make();
    QTemporaryDir folder;
    viewer.dialogs.setNextFileName(folder.filePath(QStringLiteral("book")));

    viewer.window->SaveAsPdf_Click();

    const QString path = folder.filePath(QStringLiteral("book.pdf"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(viewer.messages.shown,
             std::vector<std::string>{"Pages have been saved to " + path.toStdString() + "."});
    QCOMPARE(viewer.dialogs.lastFilter, QStringLiteral("PDF Files (*.pdf)"));
    QCOMPARE(viewer.state.settings.CurrentSide, kLeftSide);
    QCOMPARE(viewer.state.cursor.CurrentPage, 1);
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess info;
        info.start(pdfinfo, {path});
        info.waitForFinished();
        const int pages = viewer.state.cursor.LastPageLeft + viewer.state.cursor.LastPageRight + 2;
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));
    }
}

void PrintCommandsTest::saveAsPdfCancelledInTheFileChooserWritesNothing() {
    Viewer viewer;
    test::MakeUndividedBook(viewer.state, 30);
    viewer.Make();

    viewer.window->SaveAsPdf_Click();  // no file name queued: the chooser was cancelled

    QVERIFY(viewer.messages.shown.empty());
}

void PrintCommandsTest::saveAsPdfNeverReplacesTheReportOfTheBook_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("link");  // "symbolic" or "hard": the chosen name is made a link
    QTest::newRow("dot slash") << "./grades.csv"
                               << "";
    QTest::newRow("symbolic link") << "book.pdf"
                                   << "symbolic";
    QTest::newRow("hard link") << "book.pdf"
                               << "hard";
}

void PrintCommandsTest::saveAsPdfNeverReplacesTheReportOfTheBook() {
    QFETCH(QString, chosen);
    QFETCH(QString, link);
    QTemporaryDir folder;
    const QString report = folder.filePath(QStringLiteral("grades.csv"));
    {
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(" PAVING GRADES REPORT\n");
    }
    const QString path = folder.path() + QLatin1Char('/') + chosen;
    if (link == QStringLiteral("symbolic"))
        QVERIFY(QFile::link(report, path));
    if (link == QStringLiteral("hard"))
        QCOMPARE(::link(report.toLocal8Bit().constData(), path.toLocal8Bit().constData()), 0);
    Viewer viewer;
    test::MakeUndividedBook(viewer.state, 30);
    viewer.state.settings.InputFile = report.toStdString();
    viewer.Make();
    viewer.dialogs.setNextFileName(path);

    viewer.window->SaveAsPdf_Click();

    QCOMPARE(viewer.messages.shown.size(), size_t{1});
    const std::string& message = viewer.messages.shown[0];
    QVERIFY2(message.find(path.toStdString()) != std::string::npos &&
                 message.find("saved") == std::string::npos,
             message.c_str());
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(" PAVING GRADES REPORT\n"));
    QCOMPARE(QDir(folder.path()).count(), uint(link.isEmpty() ? 3 : 4));  // with . and ..
}

int main(int argc, char** argv) {
    // Keep the machine's printers out of the test: no scheduler answers here.
    qputenv("CUPS_SERVER", "/nonexistent/corvane-test/cups.sock");
    QApplication app(argc, argv);
    PrintCommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_commands_test.moc"
