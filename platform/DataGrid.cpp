#include "platform/DataGrid.h"

#include <QDir>
#include <algorithm>
#include <QHeaderView>

#include "platform/MessageBox.h"

namespace platform {

DataGrid::DataGrid(QList<GridColumn> columns, QWidget* parent)
    : QTableView(parent), model_(new TextTableModel(std::move(columns), this)) {
    setModel(model_);
    fitColumns();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("**")) + 8);
}

bool DataGrid::bindTextFile(const QString& path) {
    TextTable table;
    if (!loadTextTable(path, table)) {
        model_->unbind();
        MsgBox(QStringLiteral("The file %1 cannot be opened.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    model_->bind(table);
    fitColumns();
    return true;
}

// Wide enough for the caption and the first row; measuring every row would
// make opening a long file slow.
void DataGrid::fitColumns() {
    const QFontMetrics cells = fontMetrics();
    const QFontMetrics headers = horizontalHeader()->fontMetrics();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const QString caption = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString first = model_->data(model_->index(0, c), Qt::DisplayRole).toString();
        setColumnWidth(c, std::max(headers.horizontalAdvance(caption),
                                   cells.horizontalAdvance(first)) + 16);
    }
}

void DataGrid::unbind() {
    model_->unbind();
}

}  // namespace platform
