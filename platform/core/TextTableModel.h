#pragma once
// A text table shown in a grid, the way a grid bound to the text driver's
// data control shows it: columns bound to fields by name, rows in file
// order, each cell its field as the table hands it out (a number without its
// digit pattern, anything else as it stands). Cells can be changed and
// rows added below the last one; rows cannot be deleted. Changes stay in the
// grid: nothing is written back to the file.
#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include "platform/core/TextTable.h"

namespace platform {

struct GridColumn {
    QString caption;
    QString field;  // the field name of the table's header line
};

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TextTableModel(QList<GridColumn> columns, QObject* parent = nullptr);

    // Shows the table's rows and, below them, a row for adding one.
    void bind(const TextTable& table);
    // No rows and no row for adding: the grid shows only its headers.
    void unbind();
    bool isBound() const { return bound_; }
    int tableRowCount() const { return int(rows_.size()); }
    bool isAddRow(int row) const { return bound_ && row == tableRowCount(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    int fieldPosition(int column) const;

    QList<GridColumn> columns_;
    QList<int> positions_;  // the field position of each column; -1 when missing
    int fieldCount_ = 0;
    QList<QStringList> rows_;
    bool bound_ = false;
};

}  // namespace platform
