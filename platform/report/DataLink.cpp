#include "DataLink.h"

namespace qelvan::report {

QVariant DataLink::value(const QString& field) const
{
    const int index = fieldIndex(field);
    return index < 0 ? QVariant() : value(index);
}

TableDataLink::TableDataLink(QString name, QStringList fields)
    : DataLink(std::move(name)), m_fields(std::move(fields))
{
}

void TableDataLink::addRow(std::vector<QVariant> values)
{
    values.resize(size_t(m_fields.size()));
    m_rows.push_back(std::move(values));
}

void TableDataLink::first()
{
    m_row = 0;
    m_eof = m_rows.empty();
}

void TableDataLink::next()
{
    ++m_moves;
    if (m_row + 1 < int(m_rows.size()))
        ++m_row;
    else
        m_eof = true;
}

bool TableDataLink::eof() const
{
    return m_eof;
}

int TableDataLink::currentRow() const
{
    return m_rows.empty() ? -1 : m_row;
}

int TableDataLink::fieldIndex(const QString& field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TableDataLink::value(int field) const
{
    if (m_rows.empty() || field < 0 || field >= m_fields.size())
        return {};
    return m_rows[size_t(m_row)][size_t(field)];
}

} // namespace qelvan::report
