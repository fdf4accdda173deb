#pragma once
// The date picker: a calendar day between 1 January 1601 and 31 December
// 9999, set by the program from the text "year/month/day", read as a date,
// switched off so its date cannot be changed. Change is raised by the
// user's edits only, never by the program's own writes.
#include <QDate>
#include <QDateEdit>

namespace platform {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    static QDate earliest() { return QDate(1601, 1, 1); }
    static QDate latest() { return QDate(9999, 12, 31); }
    static QDate designDate() { return QDate(2006, 8, 21); }

    // "2007/3/5": the picker takes that day. A text that makes no calendar
    // day in range leaves the picker as it was and returns false.
    bool setDateText(const QString& text);
    // The same for a date already made.
    bool setDateSilently(const QDate& date);

signals:
    void Change();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The largest size up to 9 points at which every date of the range
    // ("9999/12/31" is as wide as any) shows whole beside the button.
    void fitFontToBox();

    bool programWriting_ = false;
};

// The calendar day of "year/month/day" (no leading zeros needed), or an
// invalid date when the text makes none between 1601 and 9999.
QDate dateFromText(const QString& text);

}  // namespace platform
