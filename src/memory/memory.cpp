#include "memory/memory.h"

namespace memory {

Memory::~Memory() {
    delete window_.data();
}

MemoryWindow* Memory::find() const {
    return window_;
}

MemoryWindow* Memory::showAfresh(QWidget* panel, MemoryWindow::Mode mode) {
    closeWindow();
    auto* window = new MemoryWindow(*this, panel, mode);
    window_ = window;
    window->show();
    return window;
}

void Memory::closeWindow() {
    if (MemoryWindow* window = find()) window->close();
}

void Memory::closeOnLinkLost() {
    if (MemoryWindow* window = find(); window && window->isVisible()) window->close();
}

void Memory::forget(const MemoryWindow* window) {
    if (window_ == window) window_ = nullptr;
}

}  // namespace memory
