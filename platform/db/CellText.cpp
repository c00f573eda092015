#include "db/CellText.h"

namespace qelvan::db {

QString cellText(const Cell& cell)
{
    switch (cell.index()) {
    case 1: return QString::number(std::get<std::int64_t>(cell));
    case 2: return QString::number(std::get<double>(cell), 'g', 15);
    case 3: {
        const std::string& s = std::get<std::string>(cell);
        return QString::fromUtf8(s.data(), qsizetype(s.size()));
    }
    default: return QString();
    }
}

double cellNumber(const Cell& cell)
{
    switch (cell.index()) {
    case 1: return double(std::get<std::int64_t>(cell));
    case 2: return std::get<double>(cell);
    case 3: {
        const QString text = cellText(cell);
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        if (!ok)
            throw DatabaseError("'" + text.toStdString() + "' is not a valid floating point value");
        return value;
    }
    default: return 0.0;
    }
}

QVariant cellVariant(const Cell& cell)
{
    if (const double* d = std::get_if<double>(&cell))
        return *d;
    if (const std::int64_t* i = std::get_if<std::int64_t>(&cell))
        return QVariant::fromValue<qint64>(*i);
    if (const std::string* s = std::get_if<std::string>(&cell))
        return QString::fromStdString(*s);
    return {};
}

} // namespace qelvan::db
