#pragma once
// The one error type of the report engine. Its text is what the engine's own
// message box shows, in the user's language.

#include <QString>

#include <stdexcept>

namespace qelvan::report {

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace qelvan::report
