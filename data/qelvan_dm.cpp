#include "qelvan_dm.h"

using qelvan::db::DataSource;
using qelvan::db::FieldDef;
using qelvan::db::FieldType;
using qelvan::db::Query;

Tdm* dm = nullptr;
QStringList dll_params;

namespace {

Query* makeQuery(QObject* owner, const char* name)
{
    auto* query = new Query(owner);
    query->setObjectName(QString::fromLatin1(name));
    query->setDatabaseName(QStringLiteral("VUQ"));
    return query;
}

} // namespace

Tdm::Tdm(QObject* owner) : QObject(owner)
{
    setObjectName(QStringLiteral("dm"));
    qry_xstgjfp1 = makeQuery(this, "qry_xstgjfp1");
    struct Field {
        const char* column;
        FieldType type;
        int size;
    };
    static const Field fields[] = {
        {"SPDM00", FieldType::String, 8}, {"SL0000", FieldType::Float, 0}, {"JE0000", FieldType::Float, 0},
        {"SE0000", FieldType::Float, 0},  {"SPMC00", FieldType::String, 30}, {"DJIA00", FieldType::Float, 0},
        {"BHSJE0", FieldType::Float, 0},
    };
    for (const Field& f : fields) {
        const QString column = QString::fromLatin1(f.column);
        qry_xstgjfp1->addField(FieldDef{QStringLiteral("qry_xstgjfp1") + column, column, f.type, f.size});
    }

    qry_temp = makeQuery(this, "qry_temp");

    ds_xstgjfp1 = new DataSource(this);
    ds_xstgjfp1->setObjectName(QStringLiteral("ds_xstgjfp1"));
    ds_xstgjfp1->setDataSet(qry_xstgjfp1);
}

// The data source goes first so nothing bound to it sees a half-destroyed query.
Tdm::~Tdm()
{
    delete ds_xstgjfp1;
    qry_xstgjfp1->close();
    qry_temp->close();
}
