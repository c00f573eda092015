#include "grid/GridFooter.h"

#include "grid/GridModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace qelvan::grid {

GridFooter::GridFooter(QTableView* view, GridModel* model, QWidget* parent)
    : QWidget(parent), m_view(view), m_model(model)
{
    setObjectName(QStringLiteral("footer"));
    auto repaint = [this] { update(); };
    connect(model, &GridModel::footersChanged, this, repaint);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
    connect(view->horizontalHeader(), &QHeaderView::sectionMoved, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

QSize GridFooter::sizeHint() const
{
    return {0, m_view->verticalHeader()->defaultSectionSize() + 2};
}

void GridFooter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QHeaderView* header = m_view->horizontalHeader();
    // Section positions are in the viewport's coordinates.
    const int originX = m_view->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
    const QColor line = palette().mid().color();
    p.setPen(line);
    p.drawLine(0, 0, width(), 0);
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const QRect cell(originX + header->sectionViewportPosition(logical), 1, header->sectionSize(logical), height() - 1);
        if (cell.right() < 0 || cell.left() > width())
            continue;
        p.setPen(line);
        p.drawLine(cell.topRight(), cell.bottomRight());
        const QString text = m_model->footerText(logical);
        if (text.isEmpty())
            continue;
        const auto* column = m_model->columns()[static_cast<size_t>(logical)];
        p.setPen(palette().windowText().color());
        p.drawText(cell.adjusted(3, 0, -3, 0), int(column->alignment() | Qt::AlignVCenter), text);
    }
}

} // namespace qelvan::grid
