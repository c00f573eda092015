#pragma once

#include <QByteArray>
#include <QString>

namespace qelvan::exporting {

/// Puts `bytes` under `path` all at once: written and synced to a temporary
/// file beside it, then renamed over it. On failure nothing changes under
/// `path` and ExportError::cannotWrite is thrown with the OS's reason.
/// An existing `path` that is not a regular file is refused.
void saveFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace qelvan::exporting
