#include "files/record_grid_model.h"

#include <QBrush>
#include <QByteArray>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <climits>

namespace files {

namespace {

constexpr int kColumns = static_cast<int>(core::kRecordCells);
// Data rows a model can hold: the grid's row numbers are ints and row 0 is the header.
constexpr std::size_t kMaxDataRows = INT_MAX - 1;
// A cell is shown with at most this many bytes; its full text stays in the model. Painting a
// megabyte-long cell of a junk file on every scroll would freeze the window.
constexpr std::size_t kShownBytes = 4096;

QString shownText(std::string_view cell) {
    if (cell.size() <= kShownBytes) return QString::fromUtf8(cell.data(), qsizetype(cell.size()));
    std::size_t cut = kShownBytes;
    while (cut > 0 && (static_cast<unsigned char>(cell[cut]) & 0xC0) == 0x80) --cut;
    return QString::fromUtf8(cell.data(), qsizetype(cut)) + QChar(0x2026);
}

}  // namespace

RecordGridModel::RecordGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size()) + 1;
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        if (row == 0) return header_[std::size_t(column)];
        return shownText(rows_.cell(std::size_t(row - 1), std::size_t(column)));
    }
    // The header row and the record-number column are fixed: drawn like headers.
    if (role == Qt::BackgroundRole && (row == 0 || column == 0))
        return QGuiApplication::palette().brush(QPalette::Button);
    return {};
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumns)
        return header_[std::size_t(section)];
    if (orientation == Qt::Vertical) return section;
    return {};
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString RecordGridModel::cellText(int row, int column) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= rowCount()) return {};
    if (row == 0) return header_[std::size_t(column)];
    const std::string_view cell = rows_.cell(std::size_t(row - 1), std::size_t(column));
    return QString::fromUtf8(cell.data(), qsizetype(cell.size()));
}

void RecordGridModel::setHeaderText(int column, const QString& text) {
    if (column < 0 || column >= kColumns) return;
    header_[std::size_t(column)] = text;
    emit dataChanged(index(0, column), index(0, column));
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordGridModel::addRow(const QString& tabText) {
    if (rows_.size() >= kMaxDataRows) return;
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    const QByteArray text = tabText.toUtf8();
    rows_.append(std::string_view(text.constData(), std::size_t(text.size())));
    endInsertRows();
}

void RecordGridModel::addRows(const core::RowTexts& rows) {
    const std::size_t room = kMaxDataRows - rows_.size();
    if (rows.empty() || room == 0) return;
    const int first = rowCount();
    if (rows.size() <= room) {
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
        rows_.append(rows);
    } else {
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(room) - 1);
        for (std::size_t r = 0; r < room; ++r) rows_.append(rows.row(r));
    }
    endInsertRows();
}

void RecordGridModel::addRows(core::RowTexts&& rows) {
    if (!rows_.empty() || rows.size() > kMaxDataRows) {
        addRows(static_cast<const core::RowTexts&>(rows));
        return;
    }
    if (rows.empty()) return;
    beginInsertRows(QModelIndex(), 1, static_cast<int>(rows.size()));
    rows_ = std::move(rows);
    endInsertRows();
}

void RecordGridModel::setRowCount(int rows) {
    const int current = rowCount();
    rows = std::max(rows, 1);
    if (rows < current) {
        beginRemoveRows(QModelIndex(), rows, current - 1);
        rows_.truncate(std::size_t(rows - 1));
        endRemoveRows();
    } else if (rows > current) {
        beginInsertRows(QModelIndex(), current, rows - 1);
        for (int r = current; r < rows; ++r) rows_.append(std::string_view());
        endInsertRows();
    }
}

}  // namespace files
