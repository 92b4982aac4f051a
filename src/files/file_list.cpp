#include "files/file_list.h"

#include <QMenuBar>

#include "files/file_transfer.h"
#include "files/files.h"

namespace files {

namespace {
const QString kName = QStringLiteral("FileList");
}

FileList::FileList(Files& files)
    : RecordListWindow(files, kName, QSize(6825, 5040), QRect(0, 0, 6855, 5055)) {
    files.fileList_ = this;
    addSaveCsvCommand();
    addPlotMenu(QStringLiteral("CmdFplot"));
    connect(addMenuCommand(QStringLiteral("Print"), QStringLiteral("CmdFprint")),
            &QAction::triggered, this, &FileList::CmdFprint_Click);
}

FileList::~FileList() {
    unloadOnce();
}

void FileList::Form_Unload() {
    if (files().fileList_ == this) files().fileList_ = nullptr;
}

void FileList::setLoading(bool loading) {
    loading_ = loading;
    menuBar()->setEnabled(!loading);
}

void FileList::CmdFprint_Click() {
    files::PrintGrid(this, grid());
}

}  // namespace files
