// The Qt SQL backend: any open QSqlDatabase connection, statements unchanged.

#include <qelvan/backends.h>

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace qelvan {

namespace {

std::string errorText(const QSqlError& error)
{
    // The server's own words when the driver has them.
    const QString text = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    return (text.isEmpty() ? error.text() : text).toStdString();
}

ColumnType typeOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return ColumnType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return ColumnType::Float;
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return ColumnType::Text;
    default:
        return ColumnType::Unknown;
    }
}

// Dates take the embedded backend's text form, so both backends read alike.
Cell cellOf(const QVariant& value)
{
    if (value.isNull())
        return Cell();
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Cell(std::int64_t(value.toLongLong()));
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong v = value.toULongLong();
        return v <= qulonglong(INT64_MAX) ? Cell(std::int64_t(v)) : Cell(double(v));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return Cell(value.toDouble());
    case QMetaType::QByteArray:
        return Cell(value.toByteArray().toStdString());
    case QMetaType::QDate:
        return Cell(value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        const bool midnight = dt.time() == QTime(0, 0);
        return Cell(dt.toString(midnight ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                        .toStdString());
    }
    default:
        return Cell(value.toString().toStdString());
    }
}

class QtSqlDatabase final : public Database {
public:
    explicit QtSqlDatabase(QString connectionName) : m_name(std::move(connectionName)) { connection(); }

    ResultSet execute(std::string_view statement) override
    {
        QSqlQuery query(connection());
        query.setForwardOnly(true);
        // Decimal columns would otherwise arrive as text.
        query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        if (!query.exec(QString::fromUtf8(statement.data(), qsizetype(statement.size()))))
            throw DatabaseError(errorText(query.lastError()));

        ResultSet result;
        const QSqlRecord record = query.record();
        const int count = record.count();
        for (int i = 0; i < count; ++i)
            result.columns.push_back({record.fieldName(i).toStdString(), typeOf(record.field(i).metaType())});
        while (query.next()) {
            std::vector<Cell>& row = result.rows.emplace_back();
            row.reserve(size_t(count));
            for (int i = 0; i < count; ++i)
                row.push_back(cellOf(query.value(i)));
        }
        if (query.lastError().isValid())
            throw DatabaseError(errorText(query.lastError()));

        for (int i = 0; i < count; ++i) {
            Column& column = result.columns[size_t(i)];
            if (column.type != ColumnType::Unknown)
                continue;
            for (const auto& row : result.rows) {
                const Cell& cell = row[size_t(i)];
                if (cell.index() != 0) {
                    column.type = cell.index() == 1 ? ColumnType::Integer
                                  : cell.index() == 2 ? ColumnType::Float
                                                      : ColumnType::Text;
                    break;
                }
            }
        }
        return result;
    }

private:
    // Looked up on every use and never closed: the connection is the caller's.
    QSqlDatabase connection() const
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (!db.isValid() || !db.isOpen())
            throw DatabaseError("No open database connection named '" + m_name.toStdString() + "'");
        return db;
    }

    QString m_name;
};

} // namespace

std::unique_ptr<Database> wrapQtSqlConnection(const std::string& connectionName)
{
    return std::make_unique<QtSqlDatabase>(QString::fromStdString(connectionName));
}

} // namespace qelvan
