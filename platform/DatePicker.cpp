#include "platform/DatePicker.h"

#include <QStringList>

namespace platform {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setDateRange(earliest(), latest());
    setDisplayFormat(QStringLiteral("yyyy/M/d"));
    setCalendarPopup(true);
    QFont small = font();
    small.setPointSizeF(9);
    setFont(small);
    // A typed year passes through other dates digit by digit: tell the
    // change once the user has finished with the box.
    setKeyboardTracking(false);
    setDateSilently(designDate());
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!programWriting_)
            emit Change();
    });
}

bool DatePicker::setDateText(const QString& text) {
    return setDateSilently(dateFromText(text));
}

bool DatePicker::setDateSilently(const QDate& date) {
    if (!date.isValid() || date < earliest() || date > latest())
        return false;
    programWriting_ = true;
    setDate(date);
    programWriting_ = false;
    return true;
}

QDate dateFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    const QDate date(numbers[0], numbers[1], numbers[2]);
    if (!date.isValid() || date < DatePicker::earliest() || date > DatePicker::latest())
        return {};
    return date;
}

}  // namespace platform
