#include "files/real_time_list.h"

#include "files/file_transfer.h"
#include "files/files.h"

namespace files {

namespace {
const QString kName = QStringLiteral("RealTimeList");
}

RealTimeList::RealTimeList(Files& files)
    : RecordListWindow(files, kName, QSize(6750, 4920), QRect(0, 0, 6735, 4935)) {
    files.liveList_ = this;
    connect(addMenuCommand(QStringLiteral("Save"), QStringLiteral("CmdRsave")), &QAction::triggered,
            this, &RealTimeList::CmdRsave_Click);
    addSaveCsvCommand();
    connect(addMenuCommand(QStringLiteral("Print"), QStringLiteral("CmdRprint")),
            &QAction::triggered, this, &RealTimeList::CmdRprint_Click);
}

RealTimeList::~RealTimeList() {
    unloadOnce();
}

void RealTimeList::CmdRsave_Click() {
    files::SaveGrid(files(), this, grid());
}

void RealTimeList::CmdRprint_Click() {
    files::PrintGrid(this, grid());
}

void RealTimeList::Form_Unload() {
    if (files().liveList_ == this) files().liveList_ = nullptr;
}

}  // namespace files
