#include "ui/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "core/file_suffix.h"
#include "ui/image_size_prompt.h"
#include "ui/print_text.h"

namespace ui {
namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::Information:
            return QMessageBox::Information;
        case Dialogs::Icon::Warning:
            return QMessageBox::Warning;
        case Dialogs::Icon::Critical:
            return QMessageBox::Critical;
        case Dialogs::Icon::Question:
            return QMessageBox::Question;
        case Dialogs::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Runs a modal dialog that lives on the heap as a child of its parent window. A window closed
// while its dialog stands (the lost link closes windows) takes the dialog with it; exec() then
// returns and the dialog reads as rejected, instead of a dialog on the handler's stack being
// freed twice. `read` takes what the dialog holds while it still exists.
template <class D, class Read>
void runModal(D* dialog, Read read) {
    const QPointer<D> guard(dialog);
    const int result = dialog->exec();
    if (!guard) return;
    read(*guard, result);
    delete guard.data();
}

class SystemDialogs final : public Dialogs {
  public:
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override {
        QMessageBox::StandardButtons standard = QMessageBox::Ok;
        if (buttons == Buttons::OkCancel) standard = QMessageBox::Ok | QMessageBox::Cancel;
        if (buttons == Buttons::YesNo) standard = QMessageBox::Yes | QMessageBox::No;
        auto* box = new QMessageBox(toQt(icon), title, text, standard, parent);
        // Closed otherwise (or taken along by its window): Cancel, or No.
        Answer answer = buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
        runModal(box, [&](QMessageBox&, int result) {
            if (result == QMessageBox::Ok) answer = Answer::Ok;
            if (result == QMessageBox::Yes) answer = Answer::Yes;
            if (result == QMessageBox::No) answer = Answer::No;
        });
        return answer;
    }

    QString input(QWidget* parent, const QString& title, const QString& prompt,
                  const QString& defaultText) override {
        auto* dialog = new QInputDialog(parent);
        dialog->setWindowTitle(title);
        dialog->setLabelText(prompt);
        dialog->setTextValue(defaultText);
        QString text;
        runModal(dialog, [&](QInputDialog& d, int result) {
            if (result == QDialog::Accepted) text = d.textValue();
        });
        return text;
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override {
        auto* dialog = new QFileDialog(parent, caption, startFolder(), filter);
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
        return remembered(chosenFile(dialog));
    }

    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         ExistingFile existing) override {
        auto* dialog = new QFileDialog(parent, caption, startFolder(), filter);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // The Save As dialog asks itself before replacing an existing file, unless the file is
        // only appended to.
        if (existing == ExistingFile::AppendWithoutAsking)
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
        // A name typed without a suffix gets the chosen filter's; the dialog adds it before it
        // asks about replacing the file.
        dialog->setDefaultSuffix(filterSuffix(dialog->selectedNameFilter()));
        QObject::connect(
            dialog, &QFileDialog::filterSelected, dialog,
            [dialog](const QString& filter) { dialog->setDefaultSuffix(filterSuffix(filter)); });
        QString chosenFilter;
        const QString chosen = chosenFile(dialog, &chosenFilter);
        if (chosen.isEmpty()) return {};
        // Where the platform's dialog did not add it, the suffix is added here, and a file of
        // that name is not replaced without asking.
        const QString path = QString::fromStdString(
            core::WithFilterSuffix(chosen.toStdString(), chosenFilter.toStdString()));
        if (path != chosen && existing == ExistingFile::AskBeforeReplacing &&
            QFileInfo::exists(path) &&
            message(parent, caption,
                    QObject::tr("%1 already exists.\nDo you want to replace it?")
                        .arg(QFileInfo(path).fileName()),
                    Icon::Warning, Buttons::YesNo) != Answer::Yes)
            return {};
        return remembered(path);
    }

    QString saveFileNameAndFilter(QWidget* parent, const QString& caption, const QString& filters,
                                  QString* chosenFilter) override {
        auto* dialog = new QFileDialog(parent, caption, startFolder());
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setNameFilters(filters.split(QStringLiteral(";;")));
        // The dialog adds the default suffix itself, so it asks about the file really written.
        dialog->setDefaultSuffix(filterSuffix(dialog->selectedNameFilter()));
        QObject::connect(
            dialog, &QFileDialog::filterSelected, dialog,
            [dialog](const QString& filter) { dialog->setDefaultSuffix(filterSuffix(filter)); });
        QString path;
        runModal(dialog, [&](QFileDialog& d, int result) {
            if (result != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
            path = d.selectedFiles().constFirst();
            if (chosenFilter) *chosenFilter = d.selectedNameFilter();
        });
        return remembered(path);
    }

    QSize imageSize(QWidget* parent, const QString& title, QSize suggested) override {
        QSize size;
        runModal(new ImageSizeDialog(parent, title, suggested),
                 [&](ImageSizeDialog& d, int result) {
                     if (result == QDialog::Accepted) size = d.chosenSize();
                 });
        return size;
    }

    bool printLines(QWidget* parent, const QString& jobName, const QStringList& lines,
                    QString* error) override {
        QPrinter printer;
        if (!choosePrinter(parent, jobName, printer, error)) return false;
        if (printLinesOn(printer, lines)) return true;
        if (error) *error = QObject::tr("The printer could not be started.");
        return false;
    }

    bool printWidget(QWidget* parent, QWidget* widget, QString* error) override {
        QPrinter printer;
        if (!choosePrinter(parent, widget->windowTitle(), printer, error)) return false;
        if (printWidgetOn(printer, widget)) return true;
        if (error) *error = QObject::tr("The printer could not be started.");
        return false;
    }

  private:
    // The file chosen in the dialog, empty when cancelled; `nameFilter`: the filter chosen.
    static QString chosenFile(QFileDialog* dialog, QString* nameFilter = nullptr) {
        QString path;
        runModal(dialog, [&](QFileDialog& d, int result) {
            if (result == QDialog::Accepted && !d.selectedFiles().isEmpty())
                path = d.selectedFiles().constFirst();
            if (nameFilter) *nameFilter = d.selectedNameFilter();
        });
        return path;
    }

    // File dialogs start in the folder of the last file chosen in this run, else in the user's
    // documents folder (home when there is none), never in the working directory.
    QString startFolder() const {
        if (!lastFolder_.isEmpty() && QDir(lastFolder_).exists()) return lastFolder_;
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!documents.isEmpty() && QDir(documents).exists()) return documents;
        return QDir::homePath();
    }

    QString remembered(const QString& path) {
        if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
        return path;
    }

    // Uses the system's default printer; without one, offers to save the job as a PDF file.
    bool choosePrinter(QWidget* parent, const QString& jobName, QPrinter& printer, QString* error) {
        printer.setDocName(jobName);
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (!defaultPrinter.isNull()) {
            printer.setPrinterName(defaultPrinter.printerName());
            return true;
        }
        const QString pdf =
            saveFileName(parent, QObject::tr("No printer found - save as PDF"),
                         QObject::tr("PDF Files (*.pdf)"), ExistingFile::AskBeforeReplacing);
        if (pdf.isEmpty()) {
            if (error) *error = QObject::tr("No printer is installed.");
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }

    QString lastFolder_;
};

Dialogs* installed = nullptr;

}  // namespace

QString Dialogs::saveFileNameAndFilter(QWidget* parent, const QString& caption,
                                       const QString& filters, QString* chosenFilter) {
    if (chosenFilter) chosenFilter->clear();
    return saveFileName(parent, caption, filters);
}

QSize Dialogs::imageSize(QWidget*, const QString&, QSize suggested) {
    return suggested;
}

QString filterSuffix(const QString& filter) {
    return QString::fromStdString(core::FilterSuffix(filter.toStdString())).mid(1);
}

Dialogs& dialogs() {
    static SystemDialogs system;
    return installed ? *installed : system;
}

void setDialogs(Dialogs* replacement) {
    installed = replacement;
}

}  // namespace ui
