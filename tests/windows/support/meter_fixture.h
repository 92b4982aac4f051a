#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "app/session.h"
#include "link/port_lister.h"
#include "panel/panel.h"
#include "sim/meter_sim.h"

// A simulated meter on a pty that COM1 opens, and the program's panel started on it, as the
// Port window would start it. Every test gets a fresh program lifetime: every module's state
// starts from its start values.
class MeterFixture {
  public:
    explicit MeterFixture(bool fast = true, const std::string& linkPath = {});
    ~MeterFixture();

    sim::MeterSim& meter() { return *meter_; }
    // The system's ports with COM1 opening the simulated meter (its link, when given one); the
    // panel this fixture starts opens its ports through it.
    const std::shared_ptr<serial::SystemPortLister>& ports() const { return ports_; }
    // Starts the panel on COM1 as the Port window's choice does; false when the start-up failed.
    bool startPanel();
    panel::Panel* panel() const { return session_ ? session_->panel() : nullptr; }
    // The session the panel runs in; null before startPanel() and after a failed start.
    app::Session* session() const { return session_.get(); }
    // How often the program asked to quit (a session ended).
    int quitRequests() const { return quits_; }
    // Counts a quit each time it is called: for the sessions a test starts itself.
    std::function<void()> quitCounter() {
        return [this] { ++quits_; };
    }

    // Runs `action` once, the next time the panel enters the lost-link state, after the panel
    // has shown it.
    void whenLinkLost(std::function<void()> action);
    // Runs `action` after `ms` from inside whatever wait is running then.
    static void after(int ms, std::function<void()> action);

    // Waits (serving events) until `done` holds or `timeoutMs` passes.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs);
    // The caption of a panel label, or "<missing>".
    QString text(const char* labelName) const;
    bool visible(const char* labelName) const;

  private:
    std::unique_ptr<sim::MeterSim> meter_;
    std::shared_ptr<serial::SystemPortLister> ports_;
    std::unique_ptr<app::Session> session_;
    int quits_ = 0;
};
