#include "files/real_time_list.h"

#include "files/file_transfer.h"

namespace files {

namespace {
const QString kName = QStringLiteral("RealTimeList");
}

RealTimeList::RealTimeList() : RecordListWindow(kName, QSize(6750, 4920), QRect(0, 0, 6735, 4935)) {
    connect(addMenuCommand(QStringLiteral("Save"), QStringLiteral("CmdRsave")), &QAction::triggered,
            this, &RealTimeList::CmdRsave_Click);
    addSaveCsvCommand();
    connect(addMenuCommand(QStringLiteral("Print"), QStringLiteral("CmdRprint")),
            &QAction::triggered, this, &RealTimeList::CmdRprint_Click);
}

RealTimeList::~RealTimeList() {
    unloadOnce();
}

RealTimeList* RealTimeList::find() {
    return findWindow<RealTimeList>(kName);
}

void RealTimeList::CmdRsave_Click() {
    files::SaveGrid(this, grid());
}

void RealTimeList::CmdRprint_Click() {
    files::PrintGrid(this, grid());
}

void RealTimeList::Form_Unload() {
    files::State.LiveListOpen = false;
}

}  // namespace files
