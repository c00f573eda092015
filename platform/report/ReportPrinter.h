#pragma once
// Printing a prepared report through the system print dialog.

#include "PreparedReport.h"

#include <QString>

class QWidget;

namespace qelvan::report {

/// Shows the print dialog (or its hook) owned by `owner`, then prints the
/// chosen pages; `currentPage` (0-based, -1 for none) offers the dialog's
/// "current page" choice. Returns false when the user cancels; throws
/// ReportError when the printer cannot be started.
bool printReport(const PreparedReport& report, QWidget* owner, const QString& documentName, int currentPage = -1);

} // namespace qelvan::report
