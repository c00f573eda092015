#pragma once
// The engine's own file for prepared reports: the pages exactly as prepared,
// so a saved report opens again without its data. Binary, versioned.

#include "PreparedReport.h"

#include <QString>

namespace qelvan::report {

/// Throws ReportError when the file cannot be written.
void savePrepared(const PreparedReport& report, const QString& path);

/// Throws ReportError when the file cannot be read or is not a prepared
/// report of this engine.
PreparedReport loadPrepared(const QString& path);

} // namespace qelvan::report
