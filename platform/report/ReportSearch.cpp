#include "ReportSearch.h"

namespace qelvan::report {

std::vector<TextMatch> findText(const PreparedReport& report, const QString& needle)
{
    std::vector<TextMatch> matches;
    if (needle.isEmpty())
        return matches;
    for (int p = 0; p < report.pageCount(); ++p) {
        const auto& items = report.page(p).items;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].text.contains(needle, Qt::CaseInsensitive))
                matches.push_back({p, i});
    }
    return matches;
}

} // namespace qelvan::report
