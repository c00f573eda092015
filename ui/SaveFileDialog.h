#pragma once
// The save-file dialog of the window's exports, with a seam so tests answer
// it without a person.

#include <QString>

#include <functional>

class QWidget;

namespace qelvan::ui {

struct SaveFileRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString proposedName;   ///< file name offered first, without a folder
    QString filter;         ///< name filters as the file dialog takes them
};

/// The chosen path, or an empty string when the user cancels.
QString askSaveFileName(const SaveFileRequest& request);

/// While a hook is set, it answers instead of the dialog. An empty function
/// restores the dialog.
using SaveFileHook = std::function<QString(const SaveFileRequest&)>;
void setSaveFileHook(SaveFileHook hook);

} // namespace qelvan::ui
