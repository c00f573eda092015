#pragma once
// "Today" for the plug-in, with a seam so tests can fix the date.

#include <QDate>

#include <functional>

namespace qelvan::app {

/// The current local date, or the test clock's answer while one is set.
QDate today();

/// While set, today() asks this instead of the system clock; pass an empty
/// function to go back to the system clock.
void setTodayClock(std::function<QDate()> clock);

} // namespace qelvan::app
