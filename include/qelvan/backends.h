#pragma once
// The bundled database backends. Link the library `qelvan_db` to use them.

#include <qelvan/session.h>

#include <memory>
#include <string>

namespace qelvan {

/// Opens an SQLite database file with the Oracle dialect the plug-in's
/// statements use: TRUNC(date), TO_DATE(text, 'YYYY-MM-DD'), and remote
/// objects written SCHEMA.OBJECT@LINK, resolved through the link catalog
/// table DB_LINKS(DB_LINK, FILE_NAME) kept in this database (a relative
/// FILE_NAME is taken from this database's folder; link databases are opened
/// read-only). `readOnly` opens the file itself read-only as well.
/// Throws DatabaseError when the file cannot be opened.
QELVAN_EXPORT std::unique_ptr<Database> openEmbeddedDatabase(const std::string& path, bool readOnly = false);

/// Wraps an already open Qt SQL connection (QSqlDatabase::database(connectionName)),
/// e.g. the ODBC driver to an Oracle server. Statements are passed through
/// unchanged. The connection stays the caller's: it is never closed here.
/// Throws DatabaseError when no open connection has that name.
QELVAN_EXPORT std::unique_ptr<Database> wrapQtSqlConnection(const std::string& connectionName);

} // namespace qelvan
