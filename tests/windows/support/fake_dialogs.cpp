#include "support/fake_dialogs.h"

#include <QPrinter>
#include <QTimer>

#include "link/rs232.h"

#include "ui/print_text.h"

ui::Dialogs::Answer FakeDialogs::message(QWidget*, const QString& title, const QString& text,
                                         Icon icon, Buttons buttons) {
    messages.append({title, text, icon, buttons});
    if (onMessage) onMessage();
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (answers.isEmpty()) return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    return answers.dequeue();
}

QString FakeDialogs::input(QWidget*, const QString&, const QString&, const QString&) {
    return inputs.isEmpty() ? QString() : inputs.dequeue();
}

QString FakeDialogs::openFileName(QWidget*, const QString&, const QString& filter) {
    ++openCalls;
    lastFilter = filter;
    recordingAtOpenDialog = isRecording && isRecording();
    return openNames.isEmpty() ? openName : openNames.dequeue();
}

QString FakeDialogs::saveFileName(QWidget*, const QString&, const QString& filter,
                                  ExistingFile existing) {
    ++saveCalls;
    lastFilter = filter;
    lastSaveExisting = existing;
    recordingAtSaveDialog = isRecording && isRecording();
    return saveNames.isEmpty() ? saveName : saveNames.dequeue();
}

QString FakeDialogs::saveFileNameAndFilter(QWidget* parent, const QString& caption,
                                           const QString& filters, QString* chosen) {
    if (chosen) *chosen = chosenFilter;
    return saveFileName(parent, caption, filters, ExistingFile::AskBeforeReplacing);
}

QSize FakeDialogs::imageSize(QWidget*, const QString&, QSize suggested) {
    lastSuggestedImageSize = suggested;
    return imageSizes.isEmpty() ? suggested : imageSizes.dequeue();
}

bool FakeDialogs::printLines(QWidget*, const QString&, const QStringList& lines, QString* error) {
    printed = lines;
    if (onPrint) onPrint();
    if (!printerAvailable) {
        if (error) *error = "No printer is installed.";
        return false;
    }
    printedJobs.append(lines);
    if (!pdfPath.isEmpty()) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return ui::printLinesOn(printer, lines);
    }
    return true;
}

bool FakeDialogs::printWidget(QWidget*, QWidget*, QString* error) {
    if (!printerAvailable) {
        if (error) *error = "No printer is installed.";
        return false;
    }
    ++printedWidgets;
    return true;
}
