#include "db/Query.h"

namespace qelvan::db {

DataSource::DataSource(QObject* owner) : QObject(owner) {}

void DataSource::setDataSet(Query* query)
{
    if (m_query == query)
        return;
    if (m_query)
        disconnect(m_query, &QObject::destroyed, this, nullptr);
    m_query = query;
    // A query freed before its data source must not leave a dangling link.
    if (m_query)
        connect(m_query, &QObject::destroyed, this, [this] {
            m_query = nullptr;
            emit dataSetChanged(nullptr);
        });
    emit dataSetChanged(query);
}

Query* DataSource::dataSet() const { return m_query; }

} // namespace qelvan::db
