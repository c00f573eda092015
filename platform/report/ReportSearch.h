#pragma once
// Finding text in a prepared report, for the preview's find.

#include "PreparedReport.h"

#include <QString>

#include <vector>

namespace qelvan::report {

struct TextMatch {
    int page = 0;
    size_t item = 0;
    bool operator==(const TextMatch& o) const { return page == o.page && item == o.item; }
};

/// Items whose text contains `needle`, ignoring case, in page order; none
/// for an empty needle.
std::vector<TextMatch> findText(const PreparedReport& report, const QString& needle);

} // namespace qelvan::report
