#pragma once
// A query over a database that answers every statement with a prepared
// result, and the sales summary's seven grid columns.

#include "db/Query.h"
#include "format/FormatSettings.h"
#include "grid/GridColumn.h"

#include <qelvan/session.h>

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace gridtest {

using qelvan::Cell;

class PreparedDatabase : public qelvan::Database {
public:
    qelvan::ResultSet next;
    qelvan::ResultSet execute(std::string_view) override { return next; }
};

inline Cell nul() { return Cell{}; }
inline Cell txt(const char* s) { return Cell{std::string(s)}; }
inline Cell num(double d) { return Cell{d}; }

/// Summary rows: SPDM00, SPMC00, DJIA00, SL0000, JE0000, BHSJE0, SE0000.
inline qelvan::ResultSet salesRows(std::vector<std::vector<Cell>> rows)
{
    using qelvan::ColumnType;
    qelvan::ResultSet r;
    r.columns = {{"SPDM00", ColumnType::Text},  {"SPMC00", ColumnType::Text},  {"DJIA00", ColumnType::Float},
                 {"SL0000", ColumnType::Float}, {"JE0000", ColumnType::Float}, {"BHSJE0", ColumnType::Float},
                 {"SE0000", ColumnType::Float}};
    r.rows = std::move(rows);
    return r;
}

inline std::vector<qelvan::grid::ColumnSpec> salesColumns()
{
    using qelvan::grid::ColumnKind;
    using qelvan::grid::Summary;
    const Qt::Alignment left = Qt::AlignLeft;
    const Qt::Alignment right = Qt::AlignRight;
    const QString deflt = QStringLiteral("0.00;-0.00");
    return {
        {"dbg_xstgjfp2SPDM00", ColumnKind::Text, "商品代码", "SPDM00", 91, left, {}, Summary::None, deflt},
        {"dbg_xstgjfp2SPMC00", ColumnKind::Text, "商品名称", "SPMC00", 112, left, {}, Summary::None, deflt},
        {"dbg_xstgjfp2DJIA00", ColumnKind::Currency, "单价", "DJIA00", 126, right, "￥,0.000000;-￥,0.000000", Summary::None, deflt},
        {"dbg_xstgjfp2SL0000", ColumnKind::Plain, "数量（条）", "SL0000", 101, right, {}, Summary::Sum, " 0.00"},
        {"dbg_xstgjfp2JE0000", ColumnKind::Currency, "金额(含税)", "JE0000", 125, right, "￥,0.00;-￥,0.00", Summary::Sum, deflt},
        {"dbg_xstgjfp2BHSJE0", ColumnKind::Currency, "金额(不含税)", "BHSJE0", 112, right, {}, Summary::Sum, deflt},
        {"dbg_xstgjfp2SE0000", ColumnKind::Currency, "税额", "SE0000", 111, right, ",0.00;-,0.00", Summary::Sum, deflt},
    };
}

/// A session with one prepared database "VUQ", a query over it and a data
/// source linked to the query; the process's formats are pinned to a
/// Chinese locale while the fixture lives.
class SalesFixture : public ::testing::Test {
protected:
    SalesFixture()
    {
        auto db = std::make_unique<PreparedDatabase>();
        database = db.get();
        session.add("VUQ", std::move(db));
        qelvan::db::setDefaultSession(&session);
        settings = qelvan::format::FormatSettings::fromLocale(QLocale(QStringLiteral("zh_CN")));
        qelvan::format::overrideProcessSettings(&settings);
        query.setDatabaseName(QStringLiteral("VUQ"));
        query.sql() << QStringLiteral("select 1");
        source.setDataSet(&query);
    }
    ~SalesFixture() override
    {
        qelvan::format::overrideProcessSettings(nullptr);
        qelvan::db::setDefaultSession(nullptr);
    }

    void open(std::vector<std::vector<Cell>> rows)
    {
        query.close();
        database->next = salesRows(std::move(rows));
        query.open();
    }

    qelvan::SimpleSession session;
    PreparedDatabase* database = nullptr;
    qelvan::format::FormatSettings settings;
    qelvan::db::Query query;
    qelvan::db::DataSource source;
};

} // namespace gridtest
