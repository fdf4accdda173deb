#pragma once
// The grid over a text table (a DBGrid bound to a text-driver data control):
// a QTableView over a TextTableModel with column headers, cells that can be
// changed and a row for adding, and no way of deleting rows.
#include <QList>
#include <QString>
#include <QTableView>

#include "platform/core/TextTableModel.h"

namespace platform {

class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(QList<GridColumn> columns, QWidget* parent = nullptr);

    // Shows the comma-separated file. A file that cannot be read leaves the
    // grid empty and is reported in a message box naming the file.
    bool bindTextFile(const QString& path);
    // Leaves the grid with its column headers and no rows.
    void unbind();

    TextTableModel* tableModel() const { return model_; }

private:
    void fitColumns();

    TextTableModel* model_;
};

}  // namespace platform
