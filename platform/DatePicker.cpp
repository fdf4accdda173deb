#include "platform/DatePicker.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QStringList>
#include <algorithm>

#include "platform/TextInk.h"

namespace platform {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setDateRange(earliest(), latest());
    setDisplayFormat(QStringLiteral("yyyy/M/d"));
    setCalendarPopup(true);
    setFont(QFont(QStringLiteral("Arial"), 9));
    // A typed year passes through other dates digit by digit: tell the
    // change once the user has finished with the box.
    setKeyboardTracking(false);
    setDateSilently(designDate());
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!programWriting_)
            emit Change();
    });
}

namespace {
constexpr double kLargestPoints = 9;
constexpr double kSmallestPoints = 6;
constexpr double kPointStep = 0.25;

// The width of the widest date: ten characters, eight of them digits.
double widestDateWidth(const QFont& font) {
    const QFontMetricsF fm(font);
    double digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, fm.horizontalAdvance(QLatin1Char(c)));
    return 8 * digit + 2 * fm.horizontalAdvance(QLatin1Char('/'));
}
}  // namespace

void DatePicker::resizeEvent(QResizeEvent* event) {
    QDateEdit::resizeEvent(event);
    fitFontToBox();
}

void DatePicker::fitFontToBox() {
    const double room = textRoom(lineEdit()).width();
    QFont f = font();
    f.setPointSizeF(kLargestPoints);
    while (f.pointSizeF() > kSmallestPoints && widestDateWidth(f) > room)
        f.setPointSizeF(f.pointSizeF() - kPointStep);
    if (f != font())
        setFont(f);
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
