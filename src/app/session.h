#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "ui/window_placement.h"

namespace alarms {
class Alarm;
}
namespace files {
class Files;
}
namespace memory {
class Memory;
}
namespace meter {
class DisplayPoll;
class Readout;
}  // namespace meter
namespace panel {
class Panel;
}
namespace plots {
class Plots;
}
namespace recording {
class LiveGraphs;
class Recorder;
}  // namespace recording
namespace serial {
class PortLister;
class QtSerialLine;
class TransactionQueue;
}  // namespace serial

namespace app {

// One run of the panel on one port: everything the program keeps while it talks to that meter.
// The start-up makes a Session for the chosen port; choosing the port again ends it and makes a
// new one, so a new Session is the reset and nothing outlives it. Each part is made here, in the
// order below, and handed to those who need it in their constructors; the part's own header says
// who writes what in it.
class Session : public QObject {
    Q_OBJECT
  public:
    // The line is set to COMn for `number` 1 to 8, else to the device `device` (a path or stable
    // name); `lister` lets the line find a re-plugged adapter (null: the system's ports). Nothing
    // is opened yet, so tests make a Session to own the windows they try.
    explicit Session(int number = 0, const QString& device = {},
                     std::shared_ptr<const serial::PortLister> lister = nullptr);
    ~Session() override;

    // The line to the meter and the queue that runs the transactions on it.
    serial::QtSerialLine& line() { return *line_; }
    serial::TransactionQueue& queue() { return *queue_; }
    // The limit alarm's settings and the Alarm window.
    alarms::Alarm& alarm() { return *alarm_; }
    // The data files and record lists, the recording with its sampling tick, the live graphs.
    files::Files& files() { return *files_; }
    recording::Recorder& recorder() { return *recorder_; }
    recording::LiveGraphs& graphs() { return *graphs_; }
    // The meter's memory as read and the Memory window.
    memory::Memory& memory() { return *memory_; }
    // The stored-data plots: their ranges, source list and windows.
    plots::Plots& plots() { return *plots_; }
    // What the display poll decoded and rendered last; the poll is its only writer.
    meter::Readout& readout() { return *readout_; }
    meter::DisplayPoll& poll() { return *poll_; }

    // Makes the panel, wires it to the subsystems and runs its start-up (the port opens); shows
    // it on success. False when the start-up failed: the user has seen the message and the end
    // has been announced; the panel is gone then.
    bool startPanel();
    // The panel, once started and until it closes.
    panel::Panel* panel() const;

    // Ends the session's link, once: the running and the waiting transactions are dropped, the
    // line closes, every window of the session closes, and `ended` is announced. The panel's
    // closing and a failed start-up end it.
    void end();
    bool ending() const { return ending_; }

  signals:
    // The session has ended; whoever owns the event loop quits it or offers the port again.
    void ended();

  private:
    // Where the session's windows go: beside its panel.
    ui::PanelAnchor anchor_;
    std::unique_ptr<serial::QtSerialLine> line_;
    std::unique_ptr<serial::TransactionQueue> queue_;
    std::unique_ptr<meter::Readout> readout_;
    std::unique_ptr<alarms::Alarm> alarm_;
    std::unique_ptr<files::Files> files_;
    std::unique_ptr<recording::Recorder> recorder_;
    std::unique_ptr<recording::LiveGraphs> graphs_;
    std::unique_ptr<memory::Memory> memory_;
    std::unique_ptr<plots::Plots> plots_;
    std::unique_ptr<meter::DisplayPoll> poll_;
    QPointer<panel::Panel> panel_;
    bool ending_ = false;
};

}  // namespace app
