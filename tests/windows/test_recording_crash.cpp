// A recording at interval 1 survives the program being killed: every line the panel had
// counted is in the file, whole, and nothing after the last whole line.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestRecordingCrash : public QObject {
    Q_OBJECT

  private slots:
    void killedWhileRecordingKeepsEveryCountedLine() {
        QTemporaryDir dir;
        const QString path = dir.filePath("killed.dat");
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(RECORDING_CHILD), {path});
        QVERIFY(child.waitForStarted());

        long counted = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                while (child.canReadLine()) counted = child.readLine().trimmed().toLong();
                return counted >= 60 || child.state() != QProcess::Running;
            },
            30000));
        child.kill();  // SIGKILL: no clean-up of any kind
        QVERIFY(child.waitForFinished());
        while (child.canReadLine()) counted = child.readLine().trimmed().toLong();
        QVERIFY(counted >= 60);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        QVERIFY(lines.size() >= counted);
        const QRegularExpression whole(
            "^\\d+\\t\\d\\d/\\d\\d/"
            "\\d\\d\\t\\d\\d:\\d\\d:\\d\\d\\t[^\\t]+\\t(pH|mV)\\t[^\\t]+\\t'[CF]"
            "\\t[AM]TC\\r?$");
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QVERIFY2(whole.match(QString::fromLatin1(lines[i])).hasMatch(), lines[i].constData());
            QVERIFY(lines[i].startsWith(QByteArray::number(i + 1) + '\t'));
        }
    }
};

QTEST_MAIN(TestRecordingCrash)
#include "test_recording_crash.moc"
