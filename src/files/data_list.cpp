#include "files/data_list.h"

#include <QLabel>
#include <QMenu>

#include "files/file_transfer.h"
#include "files/files.h"
#include "ui/accessible_name.h"
#include "ui/pc_clock.h"
#include "ui/twips.h"

namespace files {

namespace {
const QString kName = QStringLiteral("DataList");
}

DataList::DataList(Files& files)
    : RecordListWindow(files, kName, QSize(7035, 5730), QRect(120, 600, 6855, 5055)),
      title_(ui::named(new QLabel(client()), QStringLiteral("LblTitle"))),
      plotAvailable_(!files.SingleRecordList),
      openedAt_(ui::pcNow()) {
    files.dataList_ = this;
    title_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    title_->setAlignment(Qt::AlignCenter);
    title_->setGeometry(QRect(ui::twipsPoint(120, 0, this), ui::twipsToPixels(6855, 495, this)));

    connect(addMenuCommand(QStringLiteral("Save"), QStringLiteral("CmdDsave")), &QAction::triggered,
            this, &DataList::CmdDsave_Click);
    addSaveCsvCommand();
    QMenu* plot = addPlotMenu(QStringLiteral("CmdDplot"));
    plot->menuAction()->setEnabled(plotAvailable_);
    connect(addMenuCommand(QStringLiteral("Print"), QStringLiteral("CmdDprint")),
            &QAction::triggered, this, &DataList::CmdDprint_Click);
}

DataList::~DataList() {
    unloadOnce();
}

void DataList::CmdDsave_Click() {
    files::SaveGrid(files(), this, grid());
}

void DataList::CmdDprint_Click() {
    files::PrintGrid(this, grid());
}

void DataList::Form_Unload() {
    files().SingleRecordList = false;
    if (files().dataList_ == this) files().dataList_ = nullptr;
}

}  // namespace files
