#pragma once
// One use of the plug-in, from the host's window and session to the closed
// window. The exported showdll is a thin shell over this.

#include <qelvan/session.h>

#include <QStringList>
#include <QWindow>   // WId

#include <cstdint>

namespace qelvan::entry {

/// Checks the arguments and runs the call; see <qelvan/showdll.h> for the
/// contract. Throws before creating anything when `params` is null or short
/// or `session` is null.
void showdll(WId hostWindow, Session* session, const char* const* params, std::int32_t highIndex);

} // namespace qelvan::entry
