// Time from the start of main() to the Port window on screen, the way the program starts; with
// --until-listed also to the system's serial ports listed in it (done once the window is on
// screen). Run it through bench/startup.sh to include the process start.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "link/port_lister.h"
#include "link/port_window.h"

namespace {

// The system's ports, noting when they were first listed.
class TimedLister : public serial::PortLister {
  public:
    explicit TimedLister(const QElapsedTimer& clock) : clock_(clock) {}
    QList<serial::PortInfo> ports() const override {
        QList<serial::PortInfo> ports = system_.ports();
        if (listedAt < 0) listedAt = clock_.elapsed();
        return ports;
    }
    mutable qint64 listedAt = -1;

  private:
    const QElapsedTimer& clock_;
    serial::SystemPortLister system_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    const qint64 appReady = clock.elapsed();
    auto lister = std::make_shared<TimedLister>(clock);
    auto* port = new serial::Port(nullptr, lister);
    port->show();
    const bool exposed = QTest::qWaitForWindowExposed(port, 5000);
    std::printf("QApplication ready: %lld ms; Port window %s: %lld ms after main()\n",
                static_cast<long long>(appReady), exposed ? "exposed" : "NOT exposed",
                static_cast<long long>(clock.elapsed()));
    if (QCoreApplication::arguments().contains("--until-listed")) {
        const bool listed = QTest::qWaitFor([&] { return lister->listedAt >= 0; }, 5000);
        std::printf("ports listed: %lld ms after main()\n",
                    static_cast<long long>(listed ? lister->listedAt : -1));
    }
    delete port;
    return exposed ? 0 : 1;
}
