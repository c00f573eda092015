#include "grid/DataGrid.h"

#include "grid/GridFooter.h"
#include "grid/GridModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace qelvan::grid {

DataGrid::DataGrid(QWidget* parent)
    : QFrame(parent),
      m_model(new GridModel(this)),
      m_view(new QTableView(this)),
      m_footer(new GridFooter(m_view, m_model, this)),
      m_copySelected(new QAction(QStringLiteral("复制选中行"), this)),
      m_copyAll(new QAction(QStringLiteral("复制全部行"), this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);

    m_view->setObjectName(QStringLiteral("rows"));
    m_view->setModel(m_model);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setTabKeyNavigation(false);
    m_view->setCornerButtonEnabled(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);

    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(8);
    header->setDefaultAlignment(Qt::AlignCenter);
    // Flat header: window-coloured cells with black captions.
    header->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: palette(window); color: black;"
        " border: none; border-right: 1px solid palette(mid); border-bottom: 1px solid palette(mid);"
        " padding: 1px 2px; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer, 0);

    // The view copies only its current cell on Ctrl+C; the key is taken
    // from it in eventFilter. The shortcut here is what the menu shows.
    m_copySelected->setShortcut(QKeySequence::Copy);
    m_copySelected->setShortcutContext(Qt::WidgetShortcut);
    connect(m_copySelected, &QAction::triggered, this, &DataGrid::copySelectedRows);
    connect(m_copyAll, &QAction::triggered, this, &DataGrid::copyAllRows);

    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this, &DataGrid::onUserResizedSection);
    connect(header, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    connect(m_view, &QWidget::customContextMenuRequested, this, &DataGrid::showContextMenu);
    connect(m_model, &GridModel::followRow, this, &DataGrid::onFollowRow);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_following && current.isValid())
                    m_model->moveQueryTo(current.row());
            });
    updateRowHeight();
}

DataGrid::~DataGrid() = default;

void DataGrid::setDataSource(db::DataSource* source) { m_model->setDataSource(source); }
db::DataSource* DataGrid::dataSource() const { return m_model->dataSource(); }

GridColumn* DataGrid::addColumn(const ColumnSpec& spec)
{
    GridColumn* column = m_model->addColumn(spec);
    stretchColumns();
    return column;
}

GridColumn* DataGrid::column(const QString& name) const { return m_model->column(name); }
int DataGrid::columnCount() const { return m_model->columnCount(); }

void DataGrid::setKeyFieldName(const QString& field) { m_model->setKeyFieldName(field); }
QString DataGrid::keyFieldName() const { return m_model->keyFieldName(); }

QString DataGrid::footerText(const QString& columnName) const { return m_model->footerText(columnName); }
std::vector<int> DataGrid::rowOrder() const { return m_model->rowOrder(); }

int DataGrid::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QString DataGrid::selectedRowsText() const
{
    std::set<int> rows;
    for (const QModelIndex& i : m_view->selectionModel()->selectedIndexes())
        rows.insert(i.row());
    return m_model->tabSeparatedText(std::vector<int>(rows.begin(), rows.end()));
}

QString DataGrid::allRowsText() const
{
    std::vector<int> rows(static_cast<size_t>(m_model->rowCount()));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    return m_model->tabSeparatedText(rows);
}

void DataGrid::copySelectedRows() { QApplication::clipboard()->setText(selectedRowsText()); }
void DataGrid::copyAllRows() { QApplication::clipboard()->setText(allRowsText()); }

void DataGrid::addContextAction(QAction* action)
{
    if (action && !m_extraActions.contains(action))
        m_extraActions.append(action);
}

QList<QAction*> DataGrid::contextActions() const
{
    QList<QAction*> actions{m_copySelected, m_copyAll};
    actions += m_extraActions;
    return actions;
}

void DataGrid::showContextMenu(const QPoint& pos)
{
    QMenu menu(this);
    menu.addAction(m_copySelected);
    menu.addAction(m_copyAll);
    if (!m_extraActions.isEmpty()) {
        menu.addSeparator();
        for (QAction* action : m_extraActions)
            menu.addAction(action);
    }
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        stretchColumns();
    if (watched == m_view && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            key->accept();
            if (event->type() == QEvent::KeyPress)
                copySelectedRows();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void DataGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
    QFrame::changeEvent(event);
}

void DataGrid::updateRowHeight()
{
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_footer->updateGeometry();
}

// Section edges are rounded from cumulative shares so the widths add up to
// the viewport exactly, whatever the rounding of each share.
void DataGrid::stretchColumns()
{
    const auto& columns = m_model->columns();
    long long total = 0;
    for (const GridColumn* c : columns)
        total += std::max(c->width(), 0);
    if (columns.empty() || total <= 0)
        return;
    const int available = m_view->viewport()->width();
    m_stretching = true;
    QHeaderView* header = m_view->horizontalHeader();
    long long cumulative = 0;
    int edge = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        cumulative += std::max(columns[i]->width(), 0);
        const int next = static_cast<int>((available * cumulative + total / 2) / total);
        header->resizeSection(static_cast<int>(i), next - edge);
        edge = next;
    }
    m_stretching = false;
}

// A column the user drags keeps its new share: the current widths become
// the declared ones and everything is stretched again.
void DataGrid::onUserResizedSection(int, int, int)
{
    if (m_stretching)
        return;
    m_stretching = true;
    const auto& columns = m_model->columns();
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i]->setWidth(m_view->horizontalHeader()->sectionSize(static_cast<int>(i)));
    m_stretching = false;
    stretchColumns();
}

void DataGrid::onHeaderClicked(int section)
{
    m_model->toggleSort(section);
    QHeaderView* header = m_view->horizontalHeader();
    header->setSortIndicatorShown(m_model->sortColumn() >= 0);
    header->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
}

void DataGrid::onFollowRow(int viewRow)
{
    m_following = true;
    const QModelIndex target = m_model->index(viewRow, 0);
    m_view->selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(target);
    m_following = false;
}

} // namespace qelvan::grid
