#include "PagePainter.h"

#include "Fonts.h"

#include <QPaintDevice>
#include <QPainter>

namespace qelvan::report {

namespace {
constexpr double kMmPerInch = 25.4;
const QColor kMatch(255, 240, 120);
const QColor kCurrentMatch(255, 170, 60);
// Keeps text off the frame lines.
constexpr double kTextPaddingMm = 0.5;
} // namespace

PagePainter::PagePainter(QPainter& painter, const PreparedReport& report, double zoom)
    : m_painter(painter), m_report(report), m_zoom(zoom)
{
    const QPaintDevice* device = painter.device();
    m_sx = device->logicalDpiX() / kMmPerInch * zoom;
    m_sy = device->logicalDpiY() / kMmPerInch * zoom;
}

const QFont& PagePainter::font(int style)
{
    auto it = m_fonts.find(style);
    if (it == m_fonts.end())
        it = m_fonts.emplace(style, toQFont(m_report.styles().at(size_t(style)).font, m_zoom)).first;
    return it->second;
}

void PagePainter::paint(const PreparedPage& page, QPointF origin, const std::vector<Highlight>& highlights)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    int lastStyle = -1;
    auto rectOf = [&](const PreparedItem& item) {
        const QRectF& mm = item.rect;
        return QRectF(origin.x() + mm.x() * m_sx, origin.y() + mm.y() * m_sy, mm.width() * m_sx, mm.height() * m_sy);
    };
    for (const Highlight& h : highlights)
        if (h.item < page.items.size())
            m_painter.fillRect(rectOf(page.items[h.item]), h.current ? kCurrentMatch : kMatch);

    for (const PreparedItem& item : page.items) {
        const ItemStyle& style = m_report.styleOf(item);
        if (item.style != lastStyle) {
            m_painter.setFont(font(item.style));
            m_painter.setPen(style.textColor);
            lastStyle = item.style;
        }
        paintItem(item, style, rectOf(item));
    }
    m_painter.restore();
}

void PagePainter::paintItem(const PreparedItem& item, const ItemStyle& style, const QRectF& r)
{
    if (style.fill.isValid())
        m_painter.fillRect(r, style.fill);
    if (!item.text.isEmpty()) {
        int flags = int(style.alignment);
        if (style.wordWrap)
            flags |= Qt::TextWordWrap;
        const double pad = kTextPaddingMm * m_sx;
        m_painter.drawText(r.adjusted(pad, 0, -pad, 0), flags, item.text);
    }
    if (style.frameSides != FrameNone) {
        const QPen textPen = m_painter.pen();
        m_painter.setPen(QPen(style.frameColor, style.frameWidth * m_sx, Qt::SolidLine, Qt::SquareCap));
        if (style.frameSides & FrameLeft) m_painter.drawLine(r.topLeft(), r.bottomLeft());
        if (style.frameSides & FrameTop) m_painter.drawLine(r.topLeft(), r.topRight());
        if (style.frameSides & FrameRight) m_painter.drawLine(r.topRight(), r.bottomRight());
        if (style.frameSides & FrameBottom) m_painter.drawLine(r.bottomLeft(), r.bottomRight());
        m_painter.setPen(textPen);
    }
}

} // namespace qelvan::report
