#pragma once
// The preview's zoom, and the one the last preview of this process ended up
// with: every preview opens at it, 100 % the first time.

namespace qelvan::report {

struct PreviewZoom {
    enum class Mode { Percent, WholePage, PageWidth };
    Mode mode = Mode::Percent;
    int percent = 100;   ///< used in Percent mode

    bool operator==(const PreviewZoom& o) const
    {
        return mode == o.mode && (mode != Mode::Percent || percent == o.percent);
    }
    bool operator!=(const PreviewZoom& o) const { return !(*this == o); }
};

PreviewZoom lastPreviewZoom();
void rememberPreviewZoom(PreviewZoom zoom);
/// Back to 100 % (tests).
void resetPreviewZoom();

} // namespace qelvan::report
