#pragma once

class QWidget;

namespace files {

class Files;

// Opens the live list afresh (an open one is closed first).
void OpenLiveList(Files& files);

// Stops a running recording, asks for a data file and lists it in a fresh FileList, its caption
// counting "n Records Completed" while it loads and then showing the file's name. A file that
// cannot be read is reported and the open FileList is kept; a read error part-way keeps the rows
// read until then and says so.
void OpenDataFile(Files& files, QWidget* parent);

}  // namespace files
