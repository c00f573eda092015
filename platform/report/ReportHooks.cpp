#include "ReportHooks.h"

namespace qelvan::report {

namespace {
struct Hooks {
    PreviewHook preview;
    PrintDialogHook printDialog;
    FileDialogHook fileDialog;
    Clock clock;
};

Hooks& hooks()
{
    static Hooks h;
    return h;
}
} // namespace

void setPreviewHook(PreviewHook hook) { hooks().preview = std::move(hook); }
void setPrintDialogHook(PrintDialogHook hook) { hooks().printDialog = std::move(hook); }
void setFileDialogHook(FileDialogHook hook) { hooks().fileDialog = std::move(hook); }
void setClock(Clock clock) { hooks().clock = std::move(clock); }

namespace detail {
const PreviewHook& previewHook() { return hooks().preview; }
const PrintDialogHook& printDialogHook() { return hooks().printDialog; }
const FileDialogHook& fileDialogHook() { return hooks().fileDialog; }
QDateTime now() { return hooks().clock ? hooks().clock() : QDateTime::currentDateTime(); }
} // namespace detail

} // namespace qelvan::report
