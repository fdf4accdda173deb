#include "platform/core/ChartTable.h"

#include <QLocale>
#include <cmath>

namespace platform {

ChartTable::ChartTable(int rows, int columns)
    : rows_(rows > 0 ? rows : 0),
      columns_(columns > 0 ? columns : 0),
      cells_(rows_ * columns_) {}

QVariant& ChartTable::cell(int row, int column) {
    Q_ASSERT(row >= 1 && row <= rows_ && column >= 1 && column <= columns_);
    return cells_[(row - 1) * columns_ + (column - 1)];
}

const QVariant& ChartTable::cell(int row, int column) const {
    Q_ASSERT(row >= 1 && row <= rows_ && column >= 1 && column <= columns_);
    return cells_[(row - 1) * columns_ + (column - 1)];
}

std::optional<double> ChartTable::point(int row, int series) const {
    if (row < 1 || row > rows_ || series < 1 || series + 1 > columns_)
        return std::nullopt;
    return chartPointValue(cell(row, series + 1));
}

bool ChartTable::operator==(const ChartTable& other) const {
    if (rows_ != other.rows_ || columns_ != other.columns_)
        return false;
    for (int i = 0; i < cells_.size(); ++i) {
        const QVariant& a = cells_[i];
        const QVariant& b = other.cells_[i];
        if (a.typeId() != b.typeId() || a != b)
            return false;
    }
    return true;
}

namespace {
// "inf" or "nan" in a cell would make every scale and position meaningless.
std::optional<double> finite(bool ok, double v) {
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}
}  // namespace

std::optional<double> chartPointValue(const QVariant& cell) {
    if (!cell.isValid() || cell.isNull())
        return std::nullopt;
    switch (cell.typeId()) {
    case QMetaType::QString: {
        bool ok = false;
        const double v = QLocale::c().toDouble(cell.toString().trimmed(), &ok);
        return finite(ok, v);
    }
    case QMetaType::Bool:
        return std::nullopt;
    default: {
        bool ok = false;
        const double v = cell.toDouble(&ok);
        return finite(ok, v);
    }
    }
}

}  // namespace platform
