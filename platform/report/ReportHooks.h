#pragma once
// Seams for everything that would wait for a person or read the clock, so
// tests run the engine unattended. A hook stays set until it is reset with an
// empty function.

#include <QDateTime>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace qelvan::report {

class PreviewWindow;

/// Called with the ready preview instead of running it modally; the preview
/// is closed and destroyed when the hook returns.
using PreviewHook = std::function<void(PreviewWindow&)>;
void setPreviewHook(PreviewHook hook);

/// Called instead of the system print dialog, with the printer set up for
/// the report. Return false to cancel the printing.
using PrintDialogHook = std::function<bool(QPrinter&)>;
void setPrintDialogHook(PrintDialogHook hook);

enum class FileDialogMode { Open, Save };
struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString caption;
    QString filter;      ///< name filters as the file dialog takes them
    QWidget* owner = nullptr;
};
/// Called instead of the file dialog; return the chosen path, or an empty
/// string to cancel.
using FileDialogHook = std::function<QString(const FileDialogRequest&)>;
void setFileDialogHook(FileDialogHook hook);

/// The clock the print date and time come from; the system clock by default.
using Clock = std::function<QDateTime()>;
void setClock(Clock clock);

namespace detail {
const PreviewHook& previewHook();
const PrintDialogHook& printDialogHook();
const FileDialogHook& fileDialogHook();
QDateTime now();
} // namespace detail

} // namespace qelvan::report
