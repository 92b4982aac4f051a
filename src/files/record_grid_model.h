#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>

#include "core/record_row.h"

namespace files {

// The rows of a record grid: row 0 holds the nine header texts, rows 1 and up one record each.
// Data rows are kept as compact UTF-8 texts (core::RowTexts), so a list of a million readings
// stays small and quick to fill.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit RecordGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Full text of a cell (row 0: the header); empty outside the grid.
    QString cellText(int row, int column) const;
    void setHeaderText(int column, const QString& text);

    // Adds one row at the bottom from a TAB-separated text (pieces fill columns 0 to 8).
    void addRow(const QString& tabText);
    // Adds many rows at the bottom in one insertion.
    void addRows(const core::RowTexts& rows);
    // The same, taking the rows over without a copy when the grid has no data rows yet.
    void addRows(core::RowTexts&& rows);
    // Sets the row count, header included (at least 1): drops rows or adds empty ones.
    void setRowCount(int rows);

    const core::RowTexts& dataRows() const { return rows_; }

  private:
    std::array<QString, core::kRecordCells> header_;
    core::RowTexts rows_;
};

}  // namespace files
