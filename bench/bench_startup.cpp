// Time from the start of main() to the Port window on screen, the way the program starts.
// Run it through bench/startup.sh to include the process start.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "link/port_window.h"

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    const qint64 appReady = clock.elapsed();
    auto* port = new serial::Port;
    port->show();
    const bool exposed = QTest::qWaitForWindowExposed(port, 5000);
    std::printf("QApplication ready: %lld ms; Port window %s: %lld ms after main()\n",
                static_cast<long long>(appReady), exposed ? "exposed" : "NOT exposed",
                static_cast<long long>(clock.elapsed()));
    delete port;
    return exposed ? 0 : 1;
}
