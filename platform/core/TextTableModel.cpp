#include "platform/core/TextTableModel.h"

namespace platform {

TextTableModel::TextTableModel(QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void TextTableModel::bind(const TextTable& table) {
    beginResetModel();
    positions_.clear();
    for (const GridColumn& column : columns_)
        positions_ << int(table.fieldNames.indexOf(column.field));
    fieldCount_ = int(table.fieldNames.size());
    rows_ = table.rows;
    bound_ = true;
    endResetModel();
}

void TextTableModel::unbind() {
    beginResetModel();
    positions_.clear();
    fieldCount_ = 0;
    rows_.clear();
    bound_ = false;
    endResetModel();
}

int TextTableModel::fieldPosition(int column) const {
    return column >= 0 && column < positions_.size() ? positions_[column] : -1;
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return tableRowCount() + (bound_ ? 1 : 0);
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int position = fieldPosition(index.column());
    if (index.row() >= tableRowCount() || position < 0)
        return QString();
    const QStringList& fields = rows_[index.row()];
    return position < fields.size() ? fieldText(fields[position]) : QString();
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columns_.size() ? columns_[section].caption : QString();
    return isAddRow(section) ? QStringLiteral("*") : QString();
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && bound_ && fieldPosition(index.column()) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool TextTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int position = fieldPosition(index.column());
    if (!index.isValid() || role != Qt::EditRole || !bound_ || position < 0)
        return false;
    if (isAddRow(index.row())) {
        // The new row takes the place of the row for adding, which moves down.
        beginInsertRows({}, tableRowCount() + 1, tableRowCount() + 1);
        rows_ << QStringList();
        endInsertRows();
    }
    QStringList& fields = rows_[index.row()];
    while (fields.size() <= position || fields.size() < fieldCount_)
        fields << QString();
    fields[position] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit headerDataChanged(Qt::Vertical, index.row(), index.row() + 1);
    return true;
}

bool TextTableModel::removeRows(int, int, const QModelIndex&) {
    return false;  // the grid does not delete rows
}

}  // namespace platform
