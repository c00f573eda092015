#include "PreviewZoom.h"

namespace qelvan::report {

namespace {
PreviewZoom& last()
{
    static PreviewZoom zoom;
    return zoom;
}
} // namespace

PreviewZoom lastPreviewZoom() { return last(); }
void rememberPreviewZoom(PreviewZoom zoom) { last() = zoom; }
void resetPreviewZoom() { last() = PreviewZoom(); }

} // namespace qelvan::report
