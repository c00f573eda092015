#include "grid/GridModel.h"

#include "db/CellText.h"
#include "db/Query.h"
#include "format/NumberFormat.h"

#include <QCollator>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qelvan::grid {
namespace {

bool isNumber(const Cell& cell)
{
    return std::holds_alternative<double>(cell) || std::holds_alternative<std::int64_t>(cell);
}

double numberOf(const Cell& cell)
{
    if (const double* d = std::get_if<double>(&cell))
        return *d;
    if (const std::int64_t* i = std::get_if<std::int64_t>(&cell))
        return static_cast<double>(*i);
    return 0.0;
}

QString cleanForClipboard(QString text)
{
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

// Compensated summation: a footer over many rows should not drift off the
// rounding boundary its two decimals are taken at.
class Sum {
public:
    void add(double x)
    {
        const double t = m_sum + x;
        if (std::fabs(m_sum) >= std::fabs(x))
            m_carry += (m_sum - t) + x;
        else
            m_carry += (x - t) + m_sum;
        m_sum = t;
    }
    double value() const { return m_sum + m_carry; }

private:
    double m_sum = 0.0;
    double m_carry = 0.0;
};

} // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel()
{
    for (const auto& c : m_queryConnections)
        disconnect(c);
    disconnect(m_sourceConnection);
}

void GridModel::setDataSource(db::DataSource* source)
{
    disconnect(m_sourceConnection);
    m_source = source;
    if (source)
        m_sourceConnection = connect(source, &db::DataSource::dataSetChanged, this, &GridModel::attach);
    attach(source ? source->dataSet() : nullptr);
}

db::DataSource* GridModel::dataSource() const { return m_source; }
db::Query* GridModel::query() const { return m_query; }

void GridModel::attach(db::Query* query)
{
    for (const auto& c : m_queryConnections)
        disconnect(c);
    m_queryConnections.clear();
    m_query = query;
    if (query) {
        m_queryConnections.push_back(connect(query, &db::Query::opened, this, &GridModel::reload));
        m_queryConnections.push_back(connect(query, &db::Query::closed, this, &GridModel::reload));
        m_queryConnections.push_back(connect(query, &db::Query::currentRowChanged, this, &GridModel::onQueryRowChanged));
        m_queryConnections.push_back(connect(query, &QObject::destroyed, this, [this] { attach(nullptr); }));
    }
    reload();
    // A query that is already open has a current row the grid should show.
    if (queryReady())
        onQueryRowChanged(m_query->recNo());
}

bool GridModel::queryReady() const { return m_query && m_query->active(); }

GridColumn* GridModel::addColumn(const ColumnSpec& spec)
{
    const int at = static_cast<int>(m_columns.size());
    beginInsertColumns({}, at, at);
    auto* column = new GridColumn(spec, this);
    m_columns.push_back(column);
    m_fields.push_back(-1);
    m_sums.push_back(0.0);
    resolveFields();
    endInsertColumns();

    connect(column, &GridColumn::changed, this, [this, at] {
        const int c = at;
        emit headerDataChanged(Qt::Horizontal, c, c);
        if (!m_order.empty())
            emit dataChanged(index(0, c), index(rowCount() - 1, c));
        emit footersChanged();
    });
    connect(column, &GridColumn::summaryChanged, this, [this] {
        computeFooters();
        emit footersChanged();
    });
    computeFooters();
    emit footersChanged();
    return column;
}

GridColumn* GridModel::column(const QString& name) const
{
    const int i = columnIndex(name);
    return i < 0 ? nullptr : m_columns[static_cast<size_t>(i)];
}

int GridModel::columnIndex(const QString& name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->objectName() == name)
            return static_cast<int>(i);
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

void GridModel::resolveFields()
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_fields[i] = queryReady() ? m_query->fieldIndex(m_columns[i]->fieldName()) : -1;
}

void GridModel::reload()
{
    beginResetModel();
    resolveFields();
    std::vector<int> order;
    if (queryReady()) {
        if (m_sortColumn >= 0) {
            order = sortedOrder(m_sortColumn, m_sortOrder);
        } else {
            order.resize(static_cast<size_t>(m_query->recordCount()));
            std::iota(order.begin(), order.end(), 0);
        }
    }
    m_order = std::move(order);
    m_inverse.assign(m_order.size(), -1);
    for (size_t v = 0; v < m_order.size(); ++v)
        m_inverse[static_cast<size_t>(m_order[v])] = static_cast<int>(v);
    m_keysValid = false;
    endResetModel();
    computeFooters();
    emit footersChanged();
}

void GridModel::computeFooters()
{
    m_sums.assign(m_columns.size(), 0.0);
    m_footersValid = queryReady();
    if (!m_footersValid)
        return;
    const int rows = m_query->recordCount();
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const int field = m_fields[c];
        if (m_columns[c]->summary() != Summary::Sum || field < 0)
            continue;
        Sum sum;
        for (int r = 0; r < rows; ++r)
            sum.add(numberOf(m_query->cell(r, field)));
        m_sums[c] = sum.value();
    }
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString GridModel::displayText(int viewRow, int column) const
{
    if (viewRow < 0 || viewRow >= rowCount() || column < 0 || column >= columnCount() || !queryReady())
        return {};
    const int field = m_fields[static_cast<size_t>(column)];
    if (field < 0)
        return {};
    const Cell& cell = m_query->cell(m_order[static_cast<size_t>(viewRow)], field);
    if (const std::string* text = std::get_if<std::string>(&cell))
        return QString::fromStdString(*text);
    if (!isNumber(cell))
        return {};

    const GridColumn* col = m_columns[static_cast<size_t>(column)];
    const QString pattern = col->kind() == ColumnKind::Text ? QString() : col->effectiveDisplayFormat();
    if (pattern.isEmpty()) {
        if (const std::int64_t* i = std::get_if<std::int64_t>(&cell))
            return QString::number(*i);
        return format::formatGeneral(numberOf(cell));
    }
    return format::formatFloat(pattern, numberOf(cell));
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[static_cast<size_t>(index.column())]->alignment() | Qt::AlignVCenter);
    case ValueRole: {
        const int field = m_fields[static_cast<size_t>(index.column())];
        if (field < 0 || !queryReady())
            return {};
        return db::cellVariant(m_query->cell(m_order[static_cast<size_t>(index.row())], field));
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[static_cast<size_t>(section)]->caption();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString GridModel::tabSeparatedText(const std::vector<int>& viewRows) const
{
    QString out;
    const int columns = columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c)
            out += u'\t';
        out += cleanForClipboard(m_columns[static_cast<size_t>(c)]->caption());
    }
    out += u'\n';
    for (int row : viewRows) {
        for (int c = 0; c < columns; ++c) {
            if (c)
                out += u'\t';
            out += cleanForClipboard(displayText(row, c));
        }
        out += u'\n';
    }
    return out;
}

int GridModel::sourceRow(int viewRow) const
{
    if (viewRow < 0 || viewRow >= rowCount())
        return -1;
    return m_order[static_cast<size_t>(viewRow)];
}

int GridModel::viewRow(int sourceRow) const
{
    if (sourceRow < 0 || sourceRow >= static_cast<int>(m_inverse.size()))
        return -1;
    return m_inverse[static_cast<size_t>(sourceRow)];
}

std::vector<int> GridModel::sortedOrder(int column, Qt::SortOrder order) const
{
    std::vector<int> rows(static_cast<size_t>(queryReady() ? m_query->recordCount() : 0));
    std::iota(rows.begin(), rows.end(), 0);
    const int field = column >= 0 && column < columnCount() ? m_fields[static_cast<size_t>(column)] : -1;
    if (field < 0 || rows.empty())
        return rows;

    // Keys are built once per sort; comparing cells directly would convert
    // text for every comparison.
    const size_t n = rows.size();
    std::vector<char> isNull(n, 0);
    std::vector<char> isText(n, 0);
    std::vector<double> numbers(n, 0.0);
    std::vector<QCollatorSortKey> texts;
    QCollator collator;
    collator.setNumericMode(true);
    bool anyText = false;
    for (size_t r = 0; r < n; ++r) {
        const Cell& cell = m_query->cell(static_cast<int>(r), field);
        if (std::holds_alternative<std::monostate>(cell))
            isNull[r] = 1;
        else if (std::holds_alternative<std::string>(cell))
            isText[r] = 1, anyText = true;
        else
            numbers[r] = numberOf(cell);
    }
    if (anyText) {
        texts.reserve(n);
        for (size_t r = 0; r < n; ++r) {
            const Cell& cell = m_query->cell(static_cast<int>(r), field);
            const std::string* s = std::get_if<std::string>(&cell);
            texts.push_back(collator.sortKey(s ? QString::fromStdString(*s) : QString()));
        }
    }
    // NULL < numbers < text, which only matters for untyped columns.
    auto rank = [&](int r) { return isNull[static_cast<size_t>(r)] ? 0 : isText[static_cast<size_t>(r)] ? 2 : 1; };
    auto less = [&](int a, int b) {
        const int ra = rank(a), rb = rank(b);
        if (ra != rb)
            return ra < rb;
        if (ra == 1)
            return numbers[static_cast<size_t>(a)] < numbers[static_cast<size_t>(b)];
        if (ra == 2)
            return texts[static_cast<size_t>(a)].compare(texts[static_cast<size_t>(b)]) < 0;
        return false;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return less(b, a); });
    return rows;
}

void GridModel::applyOrder(std::vector<int> order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> inverse(order.size(), -1);
    for (size_t v = 0; v < order.size(); ++v)
        inverse[static_cast<size_t>(order[v])] = static_cast<int>(v);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from) {
        const int source = sourceRow(i.row());
        to.append(source < 0 ? QModelIndex() : index(inverse[static_cast<size_t>(source)], i.column()));
    }
    changePersistentIndexList(from, to);
    m_order = std::move(order);
    m_inverse = std::move(inverse);
    m_keysValid = false;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GridModel::sort(int column, Qt::SortOrder order)
{
    if (column < -1 || column >= columnCount())
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    if (!queryReady())
        return;
    applyOrder(sortedOrder(column, order));
}

void GridModel::toggleSort(int column)
{
    if (column == m_sortColumn)
        sort(column, m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        sort(column, Qt::AscendingOrder);
}

double GridModel::footerValue(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_sums.size()))
        return 0.0;
    return m_sums[static_cast<size_t>(column)];
}

QString GridModel::footerText(int column) const
{
    if (column < 0 || column >= columnCount() || !m_footersValid)
        return {};
    const GridColumn* col = m_columns[static_cast<size_t>(column)];
    if (col->summary() != Summary::Sum)
        return {};
    return format::formatFloat(col->footerFormat(), m_sums[static_cast<size_t>(column)]);
}

QString GridModel::footerText(const QString& columnName) const
{
    return footerText(columnIndex(columnName));
}

void GridModel::setKeyFieldName(const QString& field)
{
    m_keyField = field;
    m_keysValid = false;
}

int GridModel::keyField() const
{
    return queryReady() && !m_keyField.isEmpty() ? m_query->fieldIndex(m_keyField) : -1;
}

int GridModel::followingViewRow(int sourceRow) const
{
    if (!queryReady() || sourceRow < 0 || sourceRow >= static_cast<int>(m_inverse.size()))
        return -1;
    const int field = keyField();
    if (field < 0)
        return m_inverse[static_cast<size_t>(sourceRow)];

    if (!m_keysValid) {
        m_numberKeys.clear();
        m_textKeys.clear();
        m_nullKeyRow = -1;
        for (size_t v = m_order.size(); v-- > 0;) { // last write wins: the first row
            const Cell& cell = m_query->cell(m_order[v], field);
            if (const std::string* s = std::get_if<std::string>(&cell))
                m_textKeys[*s] = static_cast<int>(v);
            else if (isNumber(cell))
                m_numberKeys[numberOf(cell)] = static_cast<int>(v);
            else
                m_nullKeyRow = static_cast<int>(v); // NULL keys match each other
        }
        m_keysValid = true;
    }
    const Cell& cell = m_query->cell(sourceRow, field);
    if (const std::string* s = std::get_if<std::string>(&cell)) {
        const auto it = m_textKeys.find(*s);
        if (it != m_textKeys.end())
            return it->second;
    } else if (isNumber(cell)) {
        const auto it = m_numberKeys.find(numberOf(cell));
        if (it != m_numberKeys.end())
            return it->second;
    } else if (m_nullKeyRow >= 0) {
        return m_nullKeyRow;
    }
    // NaN equals nothing, not even itself: stay on the row.
    return m_inverse[static_cast<size_t>(sourceRow)];
}

void GridModel::onQueryRowChanged(int row)
{
    if (m_movingQuery || !queryReady())
        return;
    const int v = followingViewRow(row);
    if (v >= 0)
        emit followRow(v);
}

void GridModel::moveQueryTo(int viewRow)
{
    const int source = sourceRow(viewRow);
    if (source < 0 || !queryReady())
        return;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{m_movingQuery};
    m_movingQuery = true;
    m_query->moveTo(source);
}

} // namespace qelvan::grid
