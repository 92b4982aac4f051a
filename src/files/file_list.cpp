#include "files/file_list.h"

#include <QMenuBar>

#include "files/file_transfer.h"

namespace files {

namespace {
const QString kName = QStringLiteral("FileList");
}

FileList::FileList() : RecordListWindow(kName, QSize(6825, 5040), QRect(0, 0, 6855, 5055)) {
    addSaveCsvCommand();
    addPlotMenu(QStringLiteral("CmdFplot"));
    connect(addMenuCommand(QStringLiteral("Print"), QStringLiteral("CmdFprint")),
            &QAction::triggered, this, &FileList::CmdFprint_Click);
}

FileList::~FileList() {
    unloadOnce();
}

FileList* FileList::find() {
    return findWindow<FileList>(kName);
}

void FileList::setLoading(bool loading) {
    loading_ = loading;
    menuBar()->setEnabled(!loading);
}

void FileList::CmdFprint_Click() {
    files::PrintGrid(this, grid());
}

}  // namespace files
