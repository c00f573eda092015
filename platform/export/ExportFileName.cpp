#include "TableExport.h"

namespace qelvan::exporting {

QString proposedFileName(const QString& company, const QDate& startDate, const QDate& endDate,
                         const QString& extension)
{
    // Company names are short; the cap keeps a pasted-in oddity well inside
    // the 255-byte limit of a file name even in UTF-8.
    constexpr qsizetype kMaxCompanyLength = 60;

    QString safe;
    for (const QChar ch : company) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(ch))
            continue;
        safe += ch;
    }
    safe = safe.trimmed();
    // A leading dot hides the file; trailing dots and blanks are dropped by
    // some file systems, which would change the name behind the user's back.
    while (safe.startsWith(u'.'))
        safe = safe.mid(1).trimmed();
    if (safe.size() > kMaxCompanyLength) {
        safe.truncate(kMaxCompanyLength);
        if (safe.back().isHighSurrogate())
            safe.chop(1);
    }
    while (safe.endsWith(u'.') || safe.endsWith(u' '))
        safe.chop(1);

    QStringList parts;
    if (!safe.isEmpty())
        parts << safe;
    for (const QDate& date : {startDate, endDate})
        if (date.isValid())
            parts << date.toString(QStringLiteral("yyyy-MM-dd"));

    QString suffix = extension;
    while (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    QString name = parts.join(u'_');
    if (!suffix.isEmpty())
        name += u'.' + suffix;
    return name;
}

} // namespace qelvan::exporting
