#pragma once
// The preview's paper: one prepared page drawn at a zoom, on a grey desk.

#include "PagePainter.h"
#include "PreparedReport.h"

#include <QWidget>

#include <vector>

namespace qelvan::report {

class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    /// The report is not owned and must outlive the view (or be replaced).
    void setReport(const PreparedReport* report);
    void setPage(int page);
    void setZoom(double factor);
    void setHighlights(std::vector<Highlight> highlights);

    /// The page's size in pixels at 100 %.
    QSizeF pageSizeAt100() const;
    /// Blank space kept around the paper, in pixels.
    static constexpr int kGap = 12;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateSize();

    const PreparedReport* m_report = nullptr;
    int m_page = 0;
    double m_zoom = 1.0;
    std::vector<Highlight> m_highlights;
};

} // namespace qelvan::report
