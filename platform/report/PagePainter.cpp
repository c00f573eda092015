#include "PagePainter.h"

#include "Fonts.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

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

    m_frames.clear();
    for (const PreparedItem& item : page.items) {
        const ItemStyle& style = m_report.styleOf(item);
        if (item.style != lastStyle) {
            m_painter.setFont(font(item.style));
            m_painter.setPen(style.textColor);
            lastStyle = item.style;
        }
        paintItem(item, style, rectOf(item));
        if (style.frameSides != FrameNone)
            collectFrame(item, style);
    }
    paintFrames(origin);
    m_painter.restore();
}

namespace {
constexpr double kFixed = 10000.0;   // frame coordinates are kept in 1/10000 mm

qint64 fixed(double mm)
{
    return qint64(std::llround(mm * kFixed));
}

// Sorts and joins spans that touch or overlap.
template <typename Span>
std::vector<Span> joined(std::vector<Span> spans)
{
    std::sort(spans.begin(), spans.end());
    std::vector<Span> out;
    for (const auto& s : spans) {
        if (!out.empty() && s.first <= out.back().second)
            out.back().second = std::max(out.back().second, s.second);
        else
            out.push_back(s);
    }
    return out;
}
} // namespace

void PagePainter::collectFrame(const PreparedItem& item, const ItemStyle& style)
{
    auto it = std::find_if(m_frames.begin(), m_frames.end(), [&](const FrameLines& f) {
        return f.color == style.frameColor && f.width == style.frameWidth;
    });
    if (it == m_frames.end()) {
        m_frames.push_back({style.frameColor, style.frameWidth, {}, {}});
        it = m_frames.end() - 1;
    }
    const qint64 left = fixed(item.rect.left());
    const qint64 right = fixed(item.rect.right());
    const qint64 top = fixed(item.rect.top());
    const qint64 bottom = fixed(item.rect.bottom());
    if (style.frameSides & FrameTop) it->horizontal[top].push_back({left, right});
    if (style.frameSides & FrameBottom) it->horizontal[bottom].push_back({left, right});
    if (style.frameSides & FrameLeft) it->vertical[left].push_back({top, bottom});
    if (style.frameSides & FrameRight) it->vertical[right].push_back({top, bottom});
}

void PagePainter::paintFrames(QPointF origin)
{
    auto x = [&](qint64 v) { return origin.x() + v / kFixed * m_sx; };
    auto y = [&](qint64 v) { return origin.y() + v / kFixed * m_sy; };
    std::vector<QLineF> lines;
    for (const FrameLines& f : m_frames) {
        lines.clear();
        for (const auto& [at, spans] : f.horizontal)
            for (const auto& [from, to] : joined(spans))
                lines.emplace_back(x(from), y(at), x(to), y(at));
        for (const auto& [at, spans] : f.vertical)
            for (const auto& [from, to] : joined(spans))
                lines.emplace_back(x(at), y(from), x(at), y(to));
        m_painter.setPen(QPen(f.color, f.width * m_sx, Qt::SolidLine, Qt::SquareCap));
        m_painter.drawLines(lines.data(), int(lines.size()));
    }
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
}

} // namespace qelvan::report
