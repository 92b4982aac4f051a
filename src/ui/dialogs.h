#pragma once

#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Every message box, input box, file dialog and print job of the program goes through this
// interface, so that window tests can answer them without a person.
class Dialogs {
  public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };
    // What a Save As dialog does when the chosen file exists: ask before replacing it (lists are
    // written anew), or take it without a question (a recording adds its lines at the end).
    enum class ExistingFile { AskBeforeReplacing, AppendWithoutAsking };

    virtual ~Dialogs() = default;

    // A modal message box; returns the button pressed (Cancel or No when closed otherwise).
    virtual Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                           Buttons buttons) = 0;

    // An input box; an empty text when cancelled.
    virtual QString input(QWidget* parent, const QString& title, const QString& prompt,
                          const QString& defaultText) = 0;

    // File dialogs; an empty text when cancelled. `filter` uses Qt's ";;" separated form. A name
    // typed in a Save As dialog without a suffix gets the chosen filter's suffix (".dat").
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 ExistingFile existing = ExistingFile::AskBeforeReplacing) = 0;

    // A Save As dialog offering several formats (`filters` in Qt's ";;" form). A name typed
    // without a suffix gets the suffix of the filter chosen, before the dialog asks about
    // replacing a file. Returns the path, empty when cancelled, and in `chosenFilter` the filter
    // chosen. By default the plain Save As dialog, which reports no filter.
    virtual QString saveFileNameAndFilter(QWidget* parent, const QString& caption,
                                          const QString& filters, QString* chosenFilter);

    // Asks for the width and height of an image in pixels, offering `suggested`; an empty size
    // when cancelled. By default `suggested`, unasked.
    virtual QSize imageSize(QWidget* parent, const QString& title, QSize suggested);

    // Prints lines of text in a fixed-pitch font, one job. Returns false with a
    // reason when nothing could be printed.
    virtual bool printLines(QWidget* parent, const QString& jobName, const QStringList& lines,
                            QString* error) = 0;

    // Prints the image of a window, one page.
    virtual bool printWidget(QWidget* parent, QWidget* widget, QString* error) = 0;
};

// The suffix a filter such as "CSV Files (*.csv)" gives a name typed without one: "csv"; empty
// for "All Files (*)".
QString filterSuffix(const QString& filter);

// The dialogs in use: the real ones unless a test has installed its own.
Dialogs& dialogs();
// Installs `replacement` (not owned); nullptr restores the real dialogs.
void setDialogs(Dialogs* replacement);

}  // namespace ui
