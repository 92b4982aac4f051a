#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "core/print_listing.h"
#include "files/busy_cursor.h"
#include "files/file_transfer.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "link/rs232.h"
#include "ui/dialogs.h"

namespace FileTransfer {

namespace {

// Rows collected between two short pauses; the pauses let the sampling timer add rows to a
// live list while it is printed.
constexpr int kRowsPerPause = 100;
constexpr double kPauseSeconds = 0.02;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

void PrintGrid(QWidget* window, RecordGrid* grid) {
    const QPointer<QWidget> owner(window);
    const QPointer<RecordGrid> list(grid);
    BusyCursor busy;
    Rs232::timer1Off();

    QStringList lines{fromUtf8(core::kListingHeading1), fromUtf8(core::kListingHeading2)};
    // The row count is read afresh for every row, so rows added during the pauses are printed.
    for (int r = 1; list && r < list->rows(); ++r) {
        const auto& rows = list->recordModel()->dataRows();
        lines.append(fromUtf8(core::listingLine(core::RecordRow::fromTabText(rows.row(r - 1)))));
        if (r % kRowsPerPause == 0) Rs232::Delay(kPauseSeconds);
    }

    busy.restore();
    QString error;
    const QString jobName = owner ? owner->windowTitle() : QStringLiteral("List");
    const bool printed = ui::dialogs().printLines(owner, jobName, lines, &error);
    Rs232::timer1On();
    if (!printed)
        ui::dialogs().message(owner, QStringLiteral("Print"),
                              QStringLiteral("The list could not be printed.\n\n%1").arg(error),
                              ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
}

}  // namespace FileTransfer
