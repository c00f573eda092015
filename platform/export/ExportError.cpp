#include "ExportError.h"

#include <QDir>

namespace qelvan::exporting {

ExportError::ExportError(const QString& message, const QString& path, const QString& reason)
    : std::runtime_error(message.toStdString()), message_(message), path_(path), reason_(reason)
{
}

ExportError ExportError::cannotWrite(const QString& path, const QString& reason)
{
    return ExportError(QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason),
                       path, reason);
}

} // namespace qelvan::exporting
