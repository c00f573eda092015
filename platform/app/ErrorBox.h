#pragma once
// The standard error box and the guard that keeps a window open when one of
// its handlers fails.

#include <QString>

#include <exception>
#include <utility>

namespace qelvan::app {

/// Appends a full stop when the last character sorts after '.'; an empty
/// message stays empty.
QString withFullStop(QString message);

/// Shows `message` (full-stop rule applied) with the error icon, captioned
/// with the application title and owned by the host window.
void showError(const QString& message);

/// Shows the message of the exception being handled. Call only inside a
/// catch block.
void showCurrentException();

/// Runs `handler`; an exception it throws is shown in the error box instead
/// of leaving the handler, so the window that called it stays open.
template <typename Handler>
void guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        showCurrentException();
    }
}

} // namespace qelvan::app
