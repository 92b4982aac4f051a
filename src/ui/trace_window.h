#pragma once

#include <QMainWindow>
#include <QSize>
#include <QSizeF>
#include <QString>

class QAction;
class QMenu;

namespace ui {

class TraceView;

// Base of the live graph and stored-data plot windows: a top-level window named after its kind,
// placed by its owner beside the front panel, whose client area is a TraceView of the given
// design size in twips (it grows with the window, keeping the drawing's aspect), with the menu
// command "Limit" (MnuLimit) and the menu "Print" (MnuPrintMenu: "Print" MnuPrint and
// "Save Image..." MnuSaveImage) on its menu bar. Closing it runs
// Form_Unload once and destroys it.
class TraceWindow : public QMainWindow {
    Q_OBJECT

  public:
    TraceView* view() const { return view_; }

  public slots:
    // Prints the drawing as shown (lines, labels, traces) at the printer's resolution; a failed
    // print job is reported in a message.
    void MnuPrint_Click();
    // Writes the picture Print draws, under the window's title lines, to a PNG, SVG or PDF file
    // chosen in a Save As dialog, at a size asked for (the window's by default). A failed write
    // is reported in a message naming the file and the reason.
    void MnuSaveImage_Click();

  signals:
    // "Limit" was chosen: the window's range dialog is wanted.
    void limitRequested();

  protected:
    // `clientTwips`: the window's client area at the default size; `designTwips`: the drawing.
    TraceWindow(const QString& name, const QString& caption, QSize clientTwips, QSizeF designTwips);

    // Unload handler; runs once, when the window closes or is destroyed.
    virtual void Form_Unload() {}
    // Derived destructors call this, so that the unload also runs for a window deleted unclosed.
    void unloadOnce();

    void closeEvent(QCloseEvent* event) override;

    // The title lines of a saved image: the caption; windows may add lines of their own.
    virtual QStringList imageTitleLines() const;

    // Turns "Limit" into a menu (MnuLimitMenu) whose first item, "Range..." (MnuLimit), asks for
    // the range as the command did; the window adds its other items. Returns the menu.
    QMenu* makeLimitMenu();

  private:
    TraceView* view_;
    QAction* limit_;
    bool unloaded_ = false;
};

}  // namespace ui
