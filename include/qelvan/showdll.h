#pragma once
// The plug-in's one export. A host loads libqelvan.so (dlopen, or by linking)
// and calls showdll from its user-interface thread; the call shows the sales
// summary window modally over the host and returns when the user leaves it.
//
// This header is for C++ hosts: the session is a C++ object and failures
// reach the host as C++ exceptions.

#include <qelvan/export.h>
#include <qelvan/session.h>

#include <cstdint>

#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#  define QELVAN_CALL __stdcall
#else
#  define QELVAN_CALL
#endif

extern "C" {

/// Runs the plug-in to completion.
///
/// - `reserved1`, `reserved2`: accepted and ignored; pass null.
/// - `hostWindow`: the native id of the host's main window (QWidget::winId()
///   in a Qt host, the window system's id otherwise; 0 for none). Everything
///   the plug-in shows is owned by that window for the length of the call.
///   In a Qt widget application the plug-in uses the host's QApplication;
///   a host without one gets a QApplication created on the first call and
///   kept until the process ends; the library then stays loaded.
/// - `hostSession`: the host's session, in which it has made the database
///   "VUQ" available. It becomes the plug-in's default session and stays
///   referred to after the call (never used while idle); it is never closed.
/// - `params`, `highIndex`: the parameter array (see <qelvan/counted_string.h>
///   to build one) and its number of elements minus one. Elements 0 to 11
///   are read: 0 the signed-in company's code, 1 to 7 carried, 8 the
///   window's client height, 9 its width, 10 its top and 11 its left edge in
///   screen pixels, as decimal integers. Further elements are not read. The
///   host's strings are neither changed nor released.
///
/// Errors: nothing is thrown once the window is running (it shows its own
/// error boxes). Before that, these reach the caller as exceptions derived
/// from std::exception, after everything this call created has been
/// released and the window binding restored:
/// - std::invalid_argument: `params` is null, has fewer than twelve elements,
///   or `hostSession` is null (checked before anything is created); or a
///   geometry parameter is not a decimal integer (the parameter block of the
///   previous call is then kept).
/// - qelvan::DatabaseError: from the host's database while the window is set up.
/// - std::runtime_error: the window or its application could not be created.
/// Calls must not be nested or concurrent.
QELVAN_EXPORT void QELVAN_CALL showdll(void* reserved1, std::uintptr_t hostWindow, qelvan::Session* hostSession,
                                       void* reserved2, const char* const* params, std::int32_t highIndex);

} // extern "C"

namespace qelvan {
/// The type of showdll, for hosts that resolve it at run time.
using ShowdllFunction = void(QELVAN_CALL*)(void*, std::uintptr_t, Session*, void*, const char* const*,
                                           std::int32_t);
} // namespace qelvan
