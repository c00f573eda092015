#pragma once
// The Oracle functions the embedded backend adds to SQLite. Exposed so that
// tools that write embedded databases (the demo generator) can create indexes
// on TRUNC(date column) with the very same deterministic functions.

#include <qelvan/export.h>

struct sqlite3;

namespace qelvan::db {

/// Registers TRUNC and TO_DATE (deterministic, UTF-8) on `connection`.
/// Returns the SQLite result code of the first failing registration, or 0.
QELVAN_EXPORT int registerOracleFunctions(sqlite3* connection);

} // namespace qelvan::db
