// `meterpanel --record`: the program recording without any window, run as a child process
// against the simulated meter on a pseudo-terminal.
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "sim/meter_sim.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The recording's lines: TAB-separated cells, the record number first.
QList<QStringList> recordedLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QList<QStringList> lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (!text.isEmpty()) lines.append(text.split(QLatin1Char('\t')));
    }
    return lines;
}

}  // namespace

class TestHeadlessRecording : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;
    std::unique_ptr<sim::MeterSim> meter;

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    void startMeter(const std::string& link = {}) {
        sim::MeterSim::Options options;
        options.fast = true;
        options.linkPath = link;
        meter = std::make_unique<sim::MeterSim>(options);
        QVERIFY(meter->start());
    }

    QString device() const {
        return QString::fromStdString(meter->linkPath().empty() ? meter->devicePath()
                                                                : meter->linkPath());
    }

    static void start(QProcess& process, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(METERPANEL_BINARY), arguments);
        QVERIFY(process.waitForStarted(5000));
    }

    static Run finish(QProcess& process, int timeoutMs = 20000) {
        Run run;
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs))
            process.kill();
        process.waitForFinished(2000);
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    Run record(const QStringList& arguments, int timeoutMs = 20000) {
        QProcess process;
        start(process, arguments);
        return finish(process, timeoutMs);
    }

  private slots:
    void cleanup() {
        if (meter) meter->stop();
        meter.reset();
    }

    // A few seconds at interval 1 into a file that already holds a line: the line stays, the
    // new lines are numbered from 1 in the recording layout, one shown per sample.
    void recordsForItsDurationAndAppends() {
        startMeter();
        const QString file = path("run.dat");
        {
            QFile existing(file);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("\"old line\"\r\n");
        }
        const Run run =
            record({"--record", file, "--port", device(), "--interval", "1", "--duration", "4"});
        QCOMPARE(run.exitCode, 0);
        const QList<QStringList> lines = recordedLines(file);
        QVERIFY2(lines.size() >= 4 && lines.size() <= 6, qPrintable(run.err));
        QCOMPARE(lines.first().join(' '), QString("\"old line\""));
        for (int i = 1; i < lines.size(); ++i) {
            const QStringList& cells = lines[i];
            QVERIFY2(cells.size() >= 8, qPrintable(cells.join('|')));
            QCOMPARE(cells[0], QString::number(i));
            QVERIFY(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d$").match(cells[1]).hasMatch());
            QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(cells[2]).hasMatch());
            QVERIFY(!cells[3].isEmpty() && !cells[4].isEmpty());
        }
        QCOMPARE(run.out.count('\n'), lines.size() - 1);
        QVERIFY(run.err.contains(QStringLiteral("Recorded %1 lines").arg(lines.size() - 1)));
    }

    // SIGTERM part-way, and a meter that falls silent for a while: the stop is clean with every
    // counted line whole, the silence is reported with its start and end, and no line is taken
    // from the emptied display.
    void stopsOnSigtermAndRidesOutASilentMeter() {
        startMeter();
        const QString file = path("silent.dat");
        QProcess process;
        QByteArray told;
        connect(&process, &QProcess::readyReadStandardError,
                [&] { told += process.readAllStandardError(); });
        start(process, {"--record", file, "--port", device(), "--interval", "1"});
        QTest::qWait(2500);
        meter->setSilent(true);
        QVERIFY(QTest::qWaitFor([&] { return told.contains("does not answer"); }, 8000));
        meter->setSilent(false);
        QVERIFY(QTest::qWaitFor([&] { return told.contains("answers again"); }, 8000));
        QTest::qWait(1500);
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        const Run run = finish(process);
        QCOMPARE(run.exitCode, 0);
        told += run.err.toUtf8();
        const QList<QStringList> lines = recordedLines(file);
        QVERIFY(lines.size() >= 3);
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i][0], QString::number(i + 1));
            QVERIFY2(!lines[i][3].isEmpty(), qPrintable(lines[i].join('|')));
        }
        QVERIFY(told.contains(QStringLiteral("Recorded %1 lines").arg(lines.size()).toUtf8()));
    }

    void failuresHaveTheirExitCodes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told");
        const QString missing = QDir::temp().filePath("no-such-folder-for-meterpanel/x.dat");
        QTest::newRow("no such port")
            << QStringList{"--record", "x.dat", "--port", "/dev/nonexistent-tty"} << 1
            << "No device found, try again!";
        QTest::newRow("no file name") << QStringList{"--record"} << 2 << "usage:";
        QTest::newRow("no port") << QStringList{"--record", "x.dat"} << 2 << "--port";
        QTest::newRow("interval 0")
            << QStringList{"--record", "x.dat", "--port", "p", "--interval", "0"} << 2
            << "--interval";
        QTest::newRow("duration not a number")
            << QStringList{"--record", "x.dat", "--port", "p", "--duration", "soon"} << 2
            << "--duration";
        QTest::newRow("interval alone") << QStringList{"--interval", "5"} << 2 << "usage:";
        QTest::newRow("unknown option")
            << QStringList{"--record", "x.dat", "--porrt", "p"} << 2 << "usage:";
        QTest::newRow("file not writable")
            << QStringList{"--record", missing, "--port", "METER"} << 3 << "could not be opened";
    }

    void failuresHaveTheirExitCodes() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        if (arguments.contains("METER")) {
            startMeter();
            arguments.replace(arguments.indexOf("METER"), device());
        }
        const QString folder = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const Run run = record(arguments);
        QDir::setCurrent(folder);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(told), qPrintable(run.err));
    }
};

QTEST_MAIN(TestHeadlessRecording)
#include "test_headless_recording.moc"
