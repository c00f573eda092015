#pragma once
// What the benchmarks share: a stopwatch, the heap in use, the 100,000-row
// summary table and the least a table model can do, as the baseline.

#include <qelvan/session.h>

#include "db/CellText.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>

#include <malloc.h>

#include <chrono>
#include <cstddef>
#include <functional>

namespace qelvan::bench {

inline double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline std::size_t heapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

struct Figures {
    double seconds = 1e9;
    std::size_t bytes = 0;
};

/// XSTGJ: 100,000 summary rows with the summary's columns and Chinese names.
inline void createSummaryRows(Database& db)
{
    db.execute("CREATE TABLE XSTGJ (SPDM00 VARCHAR(8), SPMC00 VARCHAR(30), DJIA00 FLOAT, SL0000 FLOAT,"
               " JE0000 FLOAT, BHSJE0 FLOAT, SE0000 FLOAT)");
    db.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
               "INSERT INTO XSTGJ SELECT printf('%08d', i), '香烟商品' || i || '号（条装）', "
               "(i % 500) * 1.37 + 10.5, (i % 97) * 2.5, (i % 97) * 2.5 * ((i % 500) * 1.37 + 10.5), "
               "(i % 97) * 2.5 * ((i % 500) * 1.37 + 10.5) / 1.17, "
               "(i % 97) * 2.5 * ((i % 500) * 1.37 + 10.5) * (1 - 1 / 1.17) FROM n");
}

/// The baseline: hands out the result's values as they are.
class ResultModel : public QAbstractTableModel {
public:
    explicit ResultModel(ResultSet rows) : m_rows(std::move(rows)) {}
    int rowCount(const QModelIndex& = {}) const override { return int(m_rows.rows.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(m_rows.columns.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? db::cellVariant(m_rows.rows[size_t(index.row())][size_t(index.column())])
                                       : QVariant();
    }

private:
    ResultSet m_rows;
};

} // namespace qelvan::bench
