#pragma once
// A date picker that shows only the date, in the process's short date
// format, and carries a fixed time of day: picking a day or setting one
// changes the date part only, so two pickers compare by their dates.

#include <QDateEdit>
#include <QDateTime>
#include <QTime>

namespace qelvan::ui {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    /// The time of day every value carries.
    QTime timeOfDay() const { return m_time; }
    void setTimeOfDay(QTime time) { m_time = time; }

    /// The date with the carried time of day.
    QDateTime value() const;
    /// Takes the date part of `value`; its time of day is not used.
    void setValue(const QDateTime& value);

private:
    QTime m_time;
};

} // namespace qelvan::ui
