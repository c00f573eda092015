#pragma once
// Message boxes, with a seam so tests can answer them without a person.

#include <QString>

#include <functional>

class QWidget;

namespace qelvan::app {

enum class MessageIcon { None, Information, Warning, Error, Question };

struct MessageRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
};

/// Shows a modal box with one OK button, owned by `request.owner` (the
/// host's window when null). Returns when the user closes it.
void showMessage(const MessageRequest& request);

/// While a hook is set, boxes are handed to it instead of being shown.
using MessageHook = std::function<void(const MessageRequest&)>;
void setMessageHook(MessageHook hook);

} // namespace qelvan::app
