#pragma once
// Draws prepared pages on any paint device: the preview's widget, a printer
// or a PDF writer. Millimetres become device pixels by the device's own
// resolution, times the zoom.

#include "PreparedReport.h"

#include <QFont>
#include <QColor>
#include <QPointF>

#include <unordered_map>
#include <utility>
#include <vector>

class QPainter;

namespace qelvan::report {

struct Highlight {
    size_t item = 0;
    bool current = false;
};

class PagePainter {
public:
    PagePainter(QPainter& painter, const PreparedReport& report, double zoom = 1.0);

    /// Draws the page's items with the paper's top-left corner at `origin`
    /// (device pixels). Highlighted items get a marker fill under their text.
    void paint(const PreparedPage& page, QPointF origin = {}, const std::vector<Highlight>& highlights = {});

    /// Device pixels per millimetre, across and down.
    double scaleX() const { return m_sx; }
    double scaleY() const { return m_sy; }

private:
    const QFont& font(int style);
    void paintItem(const PreparedItem& item, const ItemStyle& style, const QRectF& r);
    void collectFrame(const PreparedItem& item, const ItemStyle& style);
    void paintFrames(QPointF origin);

    // Frame lines of a page, gathered so that shared and touching edges are
    // drawn once as one line: coordinates in 1/10000 mm, per pen.
    using Span = std::pair<qint64, qint64>;
    struct FrameLines {
        QColor color;
        double width;
        std::unordered_map<qint64, std::vector<Span>> horizontal;   // by y
        std::unordered_map<qint64, std::vector<Span>> vertical;     // by x
    };
    std::vector<FrameLines> m_frames;

    QPainter& m_painter;
    const PreparedReport& m_report;
    double m_zoom;
    double m_sx;
    double m_sy;
    std::unordered_map<int, QFont> m_fonts;
};

} // namespace qelvan::report
