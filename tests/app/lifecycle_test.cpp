// Start, normal end and fatal end of the real program flow, seen from outside the process.

#include <QProcess>
#include <QTest>

namespace {

struct Finished {
    int exitCode = -100;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out;
    QString err;
};

Finished run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.exitStatus(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

} // namespace

class LifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void endings_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("forbidden");
        const QStringList noExitRoutine = {"exit routine", "event loop ended"};
        QTest::newRow("Esc closes, tables released once after the window")
            << "close" << 0
            << QStringList{"event loop ended\nexit routine: 23 fractions, 0 windows\nexit routine: released, 0 left\n"}
            << QStringList{};
        QTest::newRow("table position out of range")
            << "fatal-table" << 255
            << QStringList{"box icon: critical", "box parent: none", "box text: 程序遇到严重错误，即将退出。 表格位置 0 小于 1",
                           "box button: 确定"}
            << noExitRoutine;
        QTest::newRow("memory request that cannot be met")
            << "fatal-memory" << 255
            << QStringList{"box icon: critical", "box text: 程序遇到严重错误，即将退出。 内存不足：无法分配 4611686018427387903 字节",
                           "box button: 确定"}
            << noExitRoutine;
    }

    void endings()
    {
        QFETCH(QString, mode);
        QFETCH(int, exitCode);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, forbidden);
        const Finished finished = run(PROGRAM_PROBE, {mode}, offscreen());
        QCOMPARE(finished.status, QProcess::NormalExit);
        QVERIFY2(finished.exitCode == exitCode, qPrintable(finished.out + finished.err));
        for (const QString& line : expected)
            QVERIFY2(finished.out.contains(line), qPrintable(finished.out));
        for (const QString& line : forbidden)
            QVERIFY2(!finished.out.contains(line), qPrintable(finished.out));
    }

    void withoutADisplayOneLineAnd255()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        const Finished finished = run(PROGRAM, {}, environment);
        QCOMPARE(finished.status, QProcess::NormalExit);
        QCOMPARE(finished.exitCode, 255);
        QCOMPARE(finished.err.count('\n'), 1);
        QVERIFY2(finished.err.startsWith("Tervalo: ") && finished.err.contains("DISPLAY"),
                 qPrintable(finished.err));
    }

    void anUnreachableDisplayOneLineAnd255()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", ":987");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        const Finished finished = run(PROGRAM, {}, environment);
        QCOMPARE(finished.exitCode, 255);
        QCOMPARE(finished.err.count('\n'), 1);
        QVERIFY2(finished.err.contains(":987"), qPrintable(finished.err));
    }

    void commandLineIsIgnored()
    {
        // Qt's own options would otherwise change the platform; the program takes none.
        const Finished finished = run(PROGRAM_PROBE, {"close"}, offscreen());
        QCOMPARE(finished.exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
