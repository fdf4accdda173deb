#pragma once
// The table a chart draws, handed over whole: rows of variant cells, rows
// and columns counted from 1. Column 1 holds the row labels; every further
// column is one series, drawn over the rows as equal columns. A cell holding
// the empty text is no point; a text that reads as a number counts as that
// number.
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

namespace platform {

class ChartTable {
public:
    ChartTable() = default;
    ChartTable(int rows, int columns);

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    int seriesCount() const { return columns_ > 1 ? columns_ - 1 : 0; }

    QVariant& cell(int row, int column);
    const QVariant& cell(int row, int column) const;

    QString rowLabel(int row) const { return cell(row, 1).toString(); }
    // Series s (1 = column 2) in row r, or nothing where the row has no point.
    std::optional<double> point(int row, int series) const;

    bool operator==(const ChartTable& other) const;
    bool operator!=(const ChartTable& other) const { return !(*this == other); }

private:
    int rows_ = 0;
    int columns_ = 0;
    QVector<QVariant> cells_;
};

// The number a cell stands for: a number as itself, a text that reads as a
// number (blanks around allowed, always with a point) as that number, the
// empty text, any other text and a value that is not finite as no point.
std::optional<double> chartPointValue(const QVariant& cell);

}  // namespace platform
