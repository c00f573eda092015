#include "ShownSummary.h"

#include "format/DateFormat.h"

namespace qelvan::ui {

QString ShownSummary::dateRange() const
{
    return format::formatShortDate(start) + QStringLiteral("  至  ") + format::formatShortDate(end);
}

} // namespace qelvan::ui
