#pragma once
// The two helpers every handler of the window uses.

#include <QString>

namespace qelvan::db {
class Query;
}

/// Information box with the caption "系统提示" and one OK button, owned by
/// the host window; returns when the user closes it.
void MsgInfo(const QString& text);

/// Closes `query` (nothing happens when it is closed), makes `statement` its
/// only statement line and opens it. Errors of the open propagate; the
/// query is then closed and keeps the new statement.
void OpenQuery(qelvan::db::Query& query, const QString& statement);
