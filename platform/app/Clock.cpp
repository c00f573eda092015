#include "Clock.h"

namespace qelvan::app {

namespace {
std::function<QDate()>& clock()
{
    static std::function<QDate()> c;
    return c;
}
} // namespace

QDate today()
{
    return clock() ? clock()() : QDate::currentDate();
}

void setTodayClock(std::function<QDate()> c)
{
    clock() = std::move(c);
}

} // namespace qelvan::app
