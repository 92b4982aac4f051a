#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "memory/memory_window.h"

class QWidget;
namespace files {
class Files;
}
namespace serial {
class TransactionQueue;
}

namespace memory {

// The meter's memory as the last downloads read it, and the one Memory window. One per session:
// a new session starts with nothing read and no window. The panel's buttons are the panel's; it
// hears from the signals below what the memory commands are doing.
class Memory : public QObject {
    Q_OBJECT
  public:
    // Every exchange with the meter's memory runs on `queue`; the downloads list into the data
    // list of `files`.
    Memory(serial::TransactionQueue& queue, files::Files& files) : queue_(queue), files_(files) {}
    serial::TransactionQueue& queue() const { return queue_; }
    files::Files& files() const { return files_; }
    // An open window goes with the session.
    ~Memory() override;

    // Fill pointer of the set memory from the latest pointer requests (0x0700 when empty).
    unsigned MemoryPointer = 0;
    // Bytes of set memory in use: MemoryPointer - 0x0700.
    std::size_t UsedBytes = 0;
    // The bytes of the latest set dump, in arrival order, cut at its announced length.
    QByteArray MemoryDump;
    // The sets of that dump without their markers; set k (from 1) is RecordSets[k - 1].
    std::vector<std::vector<std::uint8_t>> RecordSets;
    // Number of sets listed from the latest dump.
    int SetCount = 0;

    // The open Memory window, or null. A closed window is gone at once, before it is destroyed.
    MemoryWindow* find() const;
    // Closes the open window (its unload runs) and shows a fresh one in `mode` beside `panel`,
    // which owns the window's exchanges with the meter. Returns it.
    MemoryWindow* showAfresh(QWidget* panel, MemoryWindow::Mode mode);
    // Closes the open window, if any (its unload runs).
    void closeWindow();
    // The link to the meter is lost: the window closes if it is on the screen.
    void closeOnLinkLost();

  signals:
    // The window is open (on every show and resize) or has closed: while it is open the panel's
    // "Single Rec" and "Multi Rec" are off.
    void windowOpenChanged(bool open);
    // A download (or the listing that ends one) starts or ends: while it runs the panel's
    // "Single Rec", "Multi Rec" and "Time Set" are off and closing the panel asks first.
    void downloadRunningChanged(bool running);
    // The set dump is listed in the open window: "Time Set" is back; the download counts as
    // running until a set is chosen.
    void setsListed();

  private:
    friend class MemoryWindow;
    // Called by a closing window: it is no longer the open one.
    void forget(const MemoryWindow* window);

    serial::TransactionQueue& queue_;
    files::Files& files_;
    QPointer<MemoryWindow> window_;
};

}  // namespace memory
