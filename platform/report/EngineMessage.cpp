#include "EngineMessage.h"

#include "app/MessageBox.h"

namespace qelvan::report {

QString engineCaption()
{
    return QStringLiteral("报表");
}

void showEngineError(QWidget* owner, const QString& text)
{
    app::MessageRequest request;
    request.owner = owner;
    request.caption = engineCaption();
    request.text = text;
    request.icon = app::MessageIcon::Error;
    app::showMessage(request);
}

} // namespace qelvan::report
