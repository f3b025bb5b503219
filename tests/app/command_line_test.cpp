// The window form's command line, run as a user would on a machine without a
// display: help and version answer, the window itself refuses in one line.
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The test's environment less anything that gives Qt a display or a platform.
QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    return environment;
}

Run Corvane(const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(WithoutDisplay());
    process.start(CORVANE_BINARY, arguments);
    process.waitForFinished(60000);
    return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
               QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void answersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");  // a pattern the whole standard output matches
        QTest::addColumn<QString>("err");  // likewise for standard error
        const QString noDisplay = "^corvane: .*DISPLAY.*WAYLAND_DISPLAY.*`corvane export .*\n$";
        QTest::newRow("help lists both forms")
            << QStringList{"--help"} << 0
            << R"((?s)^Usage: .*\[FILE\.csv\].*\n  corvane export \S.*--help.*)"
            << "^$";
        QTest::newRow("short help") << QStringList{"-h"} << 0 << "(?s).*corvane export .*"
                                    << "^$";
        QTest::newRow("version") << QStringList{"--version"} << 0 << R"(^corvane \d+\.\d+\.\d+\n$)"
                                 << "^$";
        QTest::newRow("window") << QStringList{} << 1 << "^$" << noDisplay;
        QTest::newRow("window with a file") << QStringList{"report.csv"} << 1 << "^$" << noDisplay;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "^$"
                                        << "(?s)^Unknown option 'bogus'.*--help.*";
        QTest::newRow("two files") << QStringList{"a.csv", "b.csv"} << 2 << "^$"
                                   << ".+";
        QTest::newRow("export help") << QStringList{"export", "--help"} << 0 << "(?s).*--project.*"
                                     << "^$";
    }
    void answersWithoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = Corvane(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QRegularExpression(out).match(run.out).hasMatch(), qPrintable(run.out));
        QVERIFY2(QRegularExpression(err).match(run.err).hasMatch(), qPrintable(run.err));
    }

    // A platform chosen outright needs no display: the window opens and
    // waits for its user instead of refusing.
    void chosenPlatformOpensTheWindow() {
        QProcess process;
        QProcessEnvironment environment = WithoutDisplay();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(CORVANE_BINARY, QStringList{});
        QVERIFY(process.waitForStarted());
        const bool ended = process.waitForFinished(3000);
        process.kill();
        process.waitForFinished();
        QVERIFY2(!ended, qPrintable(QString::fromUtf8(process.readAllStandardError())));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
