#pragma once

#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QString>

#include "files/list_events.h"

class QMenu;

namespace files {

class Files;
class RecordGrid;

// Base of the three record list windows: a top-level window named after its kind, placed by
// its owner beside the front panel, with a client area and a record grid at fixed twips positions.
// Closing it runs Form_Unload (where it leaves its owner's hands) and destroys it.
class RecordListWindow : public QMainWindow {
    Q_OBJECT

  public:
    RecordGrid* grid() const { return grid_; }

  public slots:
    // The Plot menu's items: open the plot of this list's grid.
    void MnupHmV_Click();
    void MnuTemp_Click();

  protected:
    RecordListWindow(Files& files, const QString& name, QSize clientTwips, QRect gridTwips);

    // Unload handler of the window; runs once, when the window closes or is destroyed.
    virtual void Form_Unload() {}
    // Derived destructors call this, so that the unload also runs for a window deleted unclosed.
    void unloadOnce();

    void closeEvent(QCloseEvent* event) override;

    // A command directly on the menu bar.
    QAction* addMenuCommand(const QString& text, const QString& name);
    // The command "Save As CSV..." (MnuSaveCsv): the grid as a CSV file (SaveGridAsCsv).
    void addSaveCsvCommand();
    // The "Plot" menu with its items "pH / mV" (MnupHmV) and "Temperature" (MnuTemp).
    QMenu* addPlotMenu(const QString& name);
    void requestPlot(files::ListPlotKind kind);
    // Whether the Plot menu may be used.
    virtual bool plotAvailable() const { return true; }

    QWidget* client() const { return client_; }
    Files& files() const { return files_; }

  private:
    Files& files_;
    QWidget* client_;
    RecordGrid* grid_;
    bool unloaded_ = false;
};

}  // namespace files
