#pragma once

class QWidget;

// The front panel's list buttons.

// "List": opens the live list afresh (an open one is closed first) and sets LiveListOpen.
void CmdPlist_Click(QWidget* panel);

// "Open File": stops a running recording, asks for a data file and lists it in a fresh
// FileList, its caption counting "n Records Completed" while it loads and then showing the
// file's name. A file that cannot be read is reported and the open FileList is kept.
void CmdPopen_Click(QWidget* panel);
