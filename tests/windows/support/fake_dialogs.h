#pragma once

#include <QList>
#include <QQueue>
#include <QSize>
#include <QStringList>
#include <functional>

#include "ui/dialogs.h"

// Answers the program's dialogs without a person and records what they showed.
class FakeDialogs : public ui::Dialogs {
  public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    FakeDialogs() { ui::setDialogs(this); }
    ~FakeDialogs() override { ui::setDialogs(nullptr); }

    QList<Message> messages;
    QQueue<Answer> answers;     // answers to OK/Cancel and Yes/No questions; Ok, Yes when empty
    QQueue<QString> inputs;     // next input box texts; empty (cancel) when none
    QQueue<QString> openNames;  // next Open dialog choices, then openName
    QQueue<QString> saveNames;  // next Save As dialog choices, then saveName
    QString openName;           // answer of every further Open dialog (empty: cancel)
    QString saveName;           // answer of every further Save As dialog (empty: cancel)
    int openCalls = 0;
    int saveCalls = 0;
    QString lastFilter;    // filter of the latest file dialog
    QString chosenFilter;  // filter a Save As dialog for formats reports as chosen (empty: none)
    QQueue<QSize> imageSizes;      // answers of the image size prompt; the suggested size when none
    QSize lastSuggestedImageSize;  // what the latest image size prompt offered
    ExistingFile lastSaveExisting = ExistingFile::AskBeforeReplacing;  // of the latest Save As
    // Whether a recording runs, asked when a file dialog shows; unset: none runs.
    std::function<bool()> isRecording;
    bool recordingAtOpenDialog = false;  // whether a recording ran when the dialog showed
    bool recordingAtSaveDialog = false;
    QList<QStringList> printedJobs;
    QStringList printed;  // lines of the latest print job
    int printedWidgets = 0;
    bool printerAvailable = true;
    QString pdfPath;                  // when set, printed lines also go to this PDF file
    std::function<void()> onMessage;  // runs while a message box would be shown
    std::function<void()> onPrint;    // runs while a print dialog would be shown

    Answer message(QWidget*, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override;
    QString input(QWidget*, const QString&, const QString&, const QString&) override;
    QString openFileName(QWidget*, const QString&, const QString&) override;
    QString saveFileName(QWidget*, const QString&, const QString&, ExistingFile) override;
    QString saveFileNameAndFilter(QWidget*, const QString&, const QString& filters,
                                  QString* chosen) override;
    QSize imageSize(QWidget*, const QString&, QSize suggested) override;
    bool printLines(QWidget*, const QString&, const QStringList& lines, QString* error) override;
    bool printWidget(QWidget*, QWidget*, QString* error) override;
};
