#include "MessageBox.h"

#include "Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace qelvan::app {

namespace {
MessageHook& hook()
{
    static MessageHook h;
    return h;
}

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void setMessageHook(MessageHook h)
{
    hook() = std::move(h);
}

void showMessage(const MessageRequest& request)
{
    if (hook()) {
        hook()(request);
        return;
    }
    QMessageBox box(toQt(request.icon), request.caption, request.text, QMessageBox::Ok, request.owner);
    box.setWindowModality(Qt::ApplicationModal);
    if (!request.owner)
        Application::instance().adopt(&box);
    box.exec();
}

} // namespace qelvan::app
