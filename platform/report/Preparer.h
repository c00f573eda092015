#pragma once
// Lays a template out on pages over its data links.
//
// Page order: the title band on the first page only, then on every page the
// page header, then the column header (not on pages started for the summary
// alone), the data rows, and the page footer at the bottom of the printable
// area. A band that does not fit in what is left of a page moves to a new
// page; one taller than an empty page is placed anyway and runs over.

#include "PreparedReport.h"
#include "ReportTemplate.h"

#include <QDateTime>

#include <functional>

namespace qelvan::report {

class DataLink;

struct PrepareInput {
    const ReportTemplate* layout = nullptr;
    std::function<DataLink*(const QString& name)> findLink;
    QDateTime printTime;
};

/// Throws ReportError on an error in an expression or an unknown data link;
/// nothing is prepared then. The data band's link is left on its last row.
PreparedReport prepareReport(const PrepareInput& input);

} // namespace qelvan::report
