#pragma once
// What the rows on screen were queried for: the company and the date range
// of the last summary that opened. Titles of printed and exported output
// come from here, not from the pickers and the list, which the user may have
// changed since without querying again.

#include <QDate>
#include <QString>

namespace qelvan::ui {

struct ShownSummary {
    QString company;   ///< company short name, as listed
    QDate start;
    QDate end;

    /// start + "  至  " + end, each in the process's short date format.
    QString dateRange() const;
};

} // namespace qelvan::ui
