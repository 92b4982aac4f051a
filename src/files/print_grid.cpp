#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "core/print_listing.h"
#include "files/busy_cursor.h"
#include "files/file_transfer.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "ui/dialogs.h"

namespace files {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

void PrintGrid(QWidget* window, RecordGrid* grid) {
    const QPointer<QWidget> owner(window);
    // The listing is taken in one go; the display poll and the sampling go on meanwhile and
    // while the print dialog stands, since printing never touches the line.
    QStringList lines{fromUtf8(core::kListingHeading1), fromUtf8(core::kListingHeading2)};
    {
        BusyCursor busy;
        const auto& rows = grid->recordModel()->dataRows();
        lines.reserve(grid->rows() + 1);
        for (int r = 1; r < grid->rows(); ++r)
            lines.append(
                fromUtf8(core::listingLine(core::RecordRow::fromTabText(rows.row(r - 1)))));
    }

    QString error;
    const QString jobName = owner ? owner->windowTitle() : QStringLiteral("List");
    const bool printed = ui::dialogs().printLines(owner, jobName, lines, &error);
    if (!printed)
        ui::dialogs().message(owner, QStringLiteral("Print"),
                              QStringLiteral("The list could not be printed.\n\n%1").arg(error),
                              ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
}

}  // namespace files
