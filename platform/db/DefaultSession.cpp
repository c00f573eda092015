#include "db/Query.h"

namespace qelvan::db {

namespace {
// One per process: the library is shared so that the entry and the hosts
// reach the same pointer.
Session* g_defaultSession = nullptr;
} // namespace

void setDefaultSession(Session* session) { g_defaultSession = session; }
Session* defaultSession() { return g_defaultSession; }

} // namespace qelvan::db
