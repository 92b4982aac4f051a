#include "files/files.h"

#include "ui/window_placement.h"

#include "files/data_list.h"
#include "files/file_list.h"
#include "files/real_time_list.h"

namespace files {

namespace {

template <class W>
void closeIfVisible(W* window) {
    if (window && window->isVisible()) window->close();
}

}  // namespace

Files::Files(RecordingLink recording, const ui::PanelAnchor* anchor)
    : recording_(std::move(recording)), anchor_(anchor) {}

Files::~Files() {
    // The windows hold a reference to their owner: they go first.
    delete liveList_.data();
    delete dataList_.data();
    delete fileList_.data();
}

bool Files::liveListOpen() const {
    return !liveList_.isNull();
}

RealTimeList* Files::findRealTimeList() const {
    return liveList_;
}

DataList* Files::findDataList() const {
    return dataList_;
}

FileList* Files::findFileList() const {
    return fileList_;
}

RealTimeList* Files::showAfreshRealTimeList() {
    if (liveList_) liveList_->close();
    auto* window = new RealTimeList(*this);
    if (anchor_) anchor_->place(window);
    window->show();
    return window;
}

DataList* Files::showAfreshDataList() {
    closeDataList();
    auto* window = new DataList(*this);
    if (anchor_) anchor_->place(window);
    window->show();
    return window;
}

FileList* Files::showAfreshFileList() {
    if (fileList_) fileList_->close();
    auto* window = new FileList(*this);
    if (anchor_) anchor_->place(window);
    window->show();
    return window;
}

void Files::closeDataList() {
    if (dataList_) dataList_->close();
}

void Files::closeOnLinkLost() {
    closeIfVisible(liveList_.data());
    closeIfVisible(dataList_.data());
    closeIfVisible(fileList_.data());
}

}  // namespace files
