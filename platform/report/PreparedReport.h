#pragma once
// The prepared report: pages of positioned texts. Screen, printer and PDF all
// draw this model, and tests read it instead of pixels.

#include "ItemStyle.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace qelvan::report {

struct PreparedItem {
    QRectF rect;        ///< millimetres from the paper's top-left corner
    QString text;
    int style = 0;      ///< index into PreparedReport::styles()
    QString object;     ///< the template object it came from
};

struct PreparedPage {
    QSizeF paper{210, 297};   ///< millimetres
    std::vector<PreparedItem> items;
};

class PreparedReport {
public:
    bool isEmpty() const { return m_pages.empty(); }
    int pageCount() const { return int(m_pages.size()); }
    const PreparedPage& page(int index) const { return m_pages.at(size_t(index)); }
    PreparedPage& page(int index) { return m_pages.at(size_t(index)); }
    const std::vector<PreparedPage>& pages() const { return m_pages; }
    PreparedPage& addPage(QSizeF paper);

    const std::vector<ItemStyle>& styles() const { return m_styles; }
    const ItemStyle& styleOf(const PreparedItem& item) const { return m_styles.at(size_t(item.style)); }
    /// The index of an equal style, added when new.
    int internStyle(const ItemStyle& style);

    void clear();

private:
    std::vector<PreparedPage> m_pages;
    std::vector<ItemStyle> m_styles;
};

} // namespace qelvan::report
