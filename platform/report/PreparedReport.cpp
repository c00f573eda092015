#include "PreparedReport.h"

namespace qelvan::report {

PreparedPage& PreparedReport::addPage(QSizeF paper)
{
    m_pages.emplace_back();
    m_pages.back().paper = paper;
    return m_pages.back();
}

int PreparedReport::internStyle(const ItemStyle& style)
{
    // A report has a handful of looks; a linear search beats hashing colours.
    for (size_t i = 0; i < m_styles.size(); ++i)
        if (m_styles[i] == style)
            return int(i);
    m_styles.push_back(style);
    return int(m_styles.size() - 1);
}

void PreparedReport::clear()
{
    m_pages.clear();
    m_styles.clear();
}

} // namespace qelvan::report
