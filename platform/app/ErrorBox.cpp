#include "ErrorBox.h"

#include "Application.h"
#include "MessageBox.h"

#include <stdexcept>

namespace qelvan::app {

QString withFullStop(QString message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        message += QLatin1Char('.');
    return message;
}

void showError(const QString& message)
{
    MessageRequest request;
    request.caption = Application::instance().title();
    request.text = withFullStop(message);
    request.icon = MessageIcon::Error;
    showMessage(request);
}

void showCurrentException()
{
    // Showing the box may itself fail (out of memory); the guard must not throw.
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            showError(QString::fromUtf8(e.what()));
        } catch (...) {
            showError(QStringLiteral("Unknown error"));
        }
    } catch (...) {
    }
}

} // namespace qelvan::app
