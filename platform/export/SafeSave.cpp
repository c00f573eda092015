#include "SafeSave.h"

#include "ExportError.h"

#include <QFileInfo>
#include <QSaveFile>

namespace qelvan::exporting {

void saveFileAtomically(const QString& path, const QByteArray& bytes)
{
    // Renaming over a device or a pipe would replace the node itself with a
    // regular file; a folder is refused by the save file anyway, but with a
    // less telling reason.
    const QFileInfo info(path);
    if (info.exists() && info.isDir())
        throw ExportError::cannotWrite(path, QStringLiteral("这是一个文件夹 (Is a directory)"));
    if (info.exists() && !info.isFile())
        throw ExportError::cannotWrite(path, QStringLiteral("不是普通文件 (Not a regular file)"));

    QSaveFile file(path);
    // Without the fallback the save file never writes in place, which is
    // the whole point: no half-written file under the user's name.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw ExportError::cannotWrite(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw ExportError::cannotWrite(path, reason);
    }
    if (!file.commit())
        throw ExportError::cannotWrite(path, file.errorString());
}

} // namespace qelvan::exporting
