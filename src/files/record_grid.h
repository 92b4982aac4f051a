#pragma once

#include <QString>
#include <QTableView>

#include "core/record_row.h"

namespace files {

class RecordGridModel;

// The record grid of the list windows (object name "Grid"): nine columns, one fixed header row
// and a fixed record-number column. Rows are numbered as in the data files' consumers expect:
// row 0 is the header row (shown as the view's frozen header), rows 1 and up hold one record.
class RecordGrid : public QTableView {
    Q_OBJECT

  public:
    explicit RecordGrid(QWidget* parent = nullptr);

    // Header texts and column widths: each the width of its template text in this font, at least
    // that of its header, shrunk to the grid's width when they would not fit. Call it once the
    // grid has its size.
    void setUpRecordColumns();

    // Row count including the header row; setting it drops rows or adds empty ones.
    int rows() const;
    void setRows(int rows);
    int columns() const;

    // Full text of a cell; row 0 is the header row. Empty outside the grid.
    QString cellText(int row, int column) const;

    // Adds a row at the bottom from a TAB-separated text, filled from column 0.
    void addRow(const QString& tabText);
    // Adds many rows at the bottom at once.
    void addRows(const core::RowTexts& rows);
    void addRows(core::RowTexts&& rows);

    // The first data row shown at the top of the view (1 when there are no data rows).
    int topRow() const;
    void setTopRow(int row);
    // Scrolls as little as needed to bring `row` into view.
    void showRow(int row);

    // The grid's current row (a position used by the live list's append; not a selection).
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row);

    RecordGridModel* recordModel() const { return model_; }

  private:
    RecordGridModel* model_;
    int currentRow_ = 0;
};

}  // namespace files
