#pragma once
// The prepared report as a PDF file, text kept as text (fonts embedded).

#include "PreparedReport.h"

#include <QString>

namespace qelvan::report {

/// Throws ReportError when the file cannot be written.
void exportPdf(const PreparedReport& report, const QString& path, const QString& title = {});

} // namespace qelvan::report
