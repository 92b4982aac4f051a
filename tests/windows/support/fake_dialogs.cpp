#include "support/fake_dialogs.h"

#include <QPrinter>

#include "ui/print_text.h"

ui::Dialogs::Answer FakeDialogs::message(QWidget*, const QString& title, const QString& text,
                                         Icon icon, Buttons buttons) {
    messages.append({title, text, icon, buttons});
    return answers.isEmpty() ? Answer::Ok : answers.dequeue();
}

QString FakeDialogs::input(QWidget*, const QString&, const QString&, const QString&) {
    return inputs.isEmpty() ? QString() : inputs.dequeue();
}

QString FakeDialogs::openFileName(QWidget*, const QString&, const QString&) {
    return openNames.isEmpty() ? QString() : openNames.dequeue();
}

QString FakeDialogs::saveFileName(QWidget*, const QString&, const QString&) {
    return saveNames.isEmpty() ? QString() : saveNames.dequeue();
}

bool FakeDialogs::printLines(QWidget*, const QString&, const QStringList& lines,
                             QString* error) {
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
