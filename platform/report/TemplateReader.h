#pragma once
// Reads the engine's text template format (see docs/report-template.md).

#include "ReportTemplate.h"

#include <QString>

namespace qelvan::report {

/// Parses template text. Throws ReportError naming the line at the first fault.
ReportTemplate parseTemplate(const QString& text);

/// Reads a UTF-8 template file. Throws ReportError when the file cannot be
/// opened, is not UTF-8 text or does not parse.
ReportTemplate readTemplateFile(const QString& path);

} // namespace qelvan::report
