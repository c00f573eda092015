#include "SaveFileDialog.h"

#include <QFileDialog>

namespace qelvan::ui {

namespace {

SaveFileHook& hook()
{
    static SaveFileHook instance;
    return instance;
}

} // namespace

void setSaveFileHook(SaveFileHook h) { hook() = std::move(h); }

QString askSaveFileName(const SaveFileRequest& request)
{
    if (hook())
        return hook()(request);
    return QFileDialog::getSaveFileName(request.owner, request.caption, request.proposedName, request.filter);
}

} // namespace qelvan::ui
