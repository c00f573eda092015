#include "DatePicker.h"

#include "format/FormatSettings.h"

namespace qelvan::ui {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent), m_time(15, 48, 21, 152)
{
    setDisplayFormat(format::processSettings().shortDateFormat);
    setCalendarPopup(true);
    // 11 May 2004, the declared initial value.
    setDate(QDate(2004, 5, 11));
}

QDateTime DatePicker::value() const
{
    return QDateTime(date(), m_time);
}

void DatePicker::setValue(const QDateTime& value)
{
    setDate(value.date());
}

} // namespace qelvan::ui
