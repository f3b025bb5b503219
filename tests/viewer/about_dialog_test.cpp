// The about box: its captions and the start of the system-information tool.
#include <QPushButton>
#include <QtTest>

#include "captions_fit.h"
#include "fake_platform.h"
#include "viewer/about_dialog.h"

using namespace corvane;
using corvane::test::FakeSystemTools;

class AboutDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void captionsShowWhole() {
        RecordingMessages messages;
        FakeSystemTools tools;
        AboutDialog about(messages, tools);
        const QString cut = test::CutCaptions(about);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void captionsShowWholeAt144Dpi() {
        const QString failures = test::FailuresAt144Dpi("captionsShowWhole");
        QVERIFY2(failures.isEmpty(), qPrintable(failures));
    }

    // Each row: what the machine has, as "kind:name=value" items, and what is started.
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
        FakeSystemTools tools;
        for (const QString& item : machine) {
            const QString kind = item.section(':', 0, 0);
            const QString rest = item.section(':', 1);
            if (kind == "registry") {
                tools.registry[rest.section('=', 0, 0)] = rest.section('=', 1);
            } else if (kind == "path") {
                tools.onPath[rest.section('=', 0, 0)] = rest.section('=', 1);
            } else {
                (kind == "file" ? tools.files : tools.startable) << rest;
            }
        }
        RecordingMessages messages;
        AboutDialog about(messages, tools);
        about.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(tools.started, started.isEmpty() ? QStringList{} : QStringList{started});
        QCOMPARE(messages.shown, started.isEmpty() ? std::vector<std::string>{kSysInfoUnavailable}
                                                   : std::vector<std::string>{});
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
