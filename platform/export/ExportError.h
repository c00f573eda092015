#pragma once

#include <QString>

#include <stdexcept>

namespace qelvan::exporting {

/// Why an export did not happen. message() is the text to show the user; it
/// names the file and the operating system's reason. what() is the same
/// text in UTF-8.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& message, const QString& path = {}, const QString& reason = {});

    /// The file could not be written: "无法写入文件“<path>”：<reason>".
    static ExportError cannotWrite(const QString& path, const QString& reason);

    const QString& message() const { return message_; }
    const QString& path() const { return path_; }      ///< empty when no file is involved
    const QString& reason() const { return reason_; }  ///< the OS's or the library's words

private:
    QString message_;
    QString path_;
    QString reason_;
};

} // namespace qelvan::exporting
