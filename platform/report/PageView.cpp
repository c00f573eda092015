#include "PageView.h"

#include <QPaintEvent>
#include <QPainter>

namespace qelvan::report {

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
}

void PageView::setReport(const PreparedReport* report)
{
    m_report = report;
    m_page = 0;
    m_highlights.clear();
    updateSize();
    update();
}

void PageView::setPage(int page)
{
    m_page = page;
    updateSize();
    update();
}

void PageView::setZoom(double factor)
{
    m_zoom = factor;
    updateSize();
    update();
}

void PageView::setHighlights(std::vector<Highlight> highlights)
{
    m_highlights = std::move(highlights);
    update();
}

QSizeF PageView::pageSizeAt100() const
{
    if (!m_report || m_page < 0 || m_page >= m_report->pageCount())
        return {};
    const QSizeF mm = m_report->page(m_page).paper;
    return QSizeF(mm.width() * logicalDpiX() / 25.4, mm.height() * logicalDpiY() / 25.4);
}

void PageView::updateSize()
{
    const QSizeF page = pageSizeAt100() * m_zoom;
    setFixedSize(int(page.width()) + 2 * kGap, int(page.height()) + 2 * kGap);
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    if (!m_report || m_page < 0 || m_page >= m_report->pageCount())
        return;
    const QSizeF size = pageSizeAt100() * m_zoom;
    const QRectF paper(kGap, kGap, size.width(), size.height());
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 90));
    painter.fillRect(paper, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(paper);
    PagePainter(painter, *m_report, m_zoom).paint(m_report->page(m_page), paper.topLeft(), m_highlights);
}

} // namespace qelvan::report
