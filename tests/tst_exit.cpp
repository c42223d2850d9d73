// 終了 and the window's close button end the program at once from any state, with status 0
// and nothing drawn afterwards. The program runs as a child process.

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

class ExitTest : public QObject {
    Q_OBJECT

private slots:
    void endsAtOnce_data();
    void endsAtOnce();
};

void ExitTest::endsAtOnce_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("automaticEnabled");
    QTest::newRow("at rest") << QStringList{"idle"} << 0 << 1;
    QTest::newRow("during automatic run") << QStringList{"auto"} << 0 << 0;
    QTest::newRow("during manual step") << QStringList{"step"} << 0 << 0;
    QTest::newRow("during step back") << QStringList{"back"} << 2 << 0;
    QTest::newRow("click queued behind 終了") << QStringList{"idle", "queued"} << 0 << 1;
    QTest::newRow("close at rest") << QStringList{"idle", "close"} << 0 << 1;
    QTest::newRow("close during automatic run") << QStringList{"auto", "close"} << 0 << 0;
    QTest::newRow("close during manual step") << QStringList{"step", "close"} << 0 << 0;
}

void ExitTest::endsAtOnce() {
    QFETCH(QStringList, arguments);
    QFETCH(int, progress);
    QFETCH(int, automaticEnabled);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(QStringLiteral(EXITPROBE_PATH), arguments);
    QVERIFY(child.waitForFinished(20000));
    // Started with a 5 ms frame delay, a full run would take 2.4 s; it ends at the click.
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    // The handlers on the stack were unwound: the run or step never finished.
    QVERIFY2(out.contains(QStringLiteral("progress %1\n").arg(progress)), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("automatic %1\n").arg(automaticEnabled)), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("visible 0\n")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("paints-after-end 0\n")), qPrintable(out));
}

QTEST_GUILESS_MAIN(ExitTest)
#include "tst_exit.moc"
