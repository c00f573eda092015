#include "Preparer.h"

#include "DataLink.h"
#include "ReportError.h"
#include "TextExpression.h"

namespace qelvan::report {

namespace {

struct CompiledObject {
    const TextObject* object = nullptr;
    CompiledText text;
    int style = 0;
    bool constant = false;
    bool usesPageCount = false;
    bool drawsEmpty = false;   // a frame or fill shows even without text
};

struct CompiledBand {
    const Band* band = nullptr;
    std::vector<CompiledObject> objects;
};

// An item whose text waits for the page count.
struct Pending {
    int page = 0;
    size_t item = 0;
    const CompiledObject* object = nullptr;
    std::vector<QString> parts;   // one per segment; page-count parts left empty
};

class Layout {
public:
    explicit Layout(const PrepareInput& input) : m_in(input), m_t(*input.layout) {}

    PreparedReport run()
    {
        compile();
        m_limit = m_t.paper.height() - m_t.margins.bottom() - (m_footer ? m_footer->band->height : 0);

        startPage(true);
        if (m_data) {
            DataLink* link = m_in.findLink(m_data->band->dataLink);
            for (link->first(); !link->eof(); link->next()) {
                ++m_row;
                place(*m_data, true);
            }
        }
        if (m_summary)
            place(*m_summary, false);
        endPage();
        resolvePageCount();
        return std::move(m_out);
    }

private:
    void compile()
    {
        CompileContext context;
        context.printTime = m_in.printTime;
        context.findLink = [this](const QString& name) -> const DataLink* {
            return m_in.findLink ? m_in.findLink(name) : nullptr;
        };
        m_bands.reserve(m_t.bands.size());
        for (const Band& band : m_t.bands) {
            if (band.kind == BandKind::Data && !context.findLink(band.dataLink))
                throw ReportError(QStringLiteral("报表数据区域的数据连接“%1”不存在").arg(band.dataLink));
            CompiledBand cb;
            cb.band = &band;
            for (const TextObject& object : band.objects) {
                CompiledObject co;
                co.object = &object;
                co.text = compileText(object, context);
                co.style = m_out.internStyle(object.style);
                co.constant = co.text.isConstant();
                co.usesPageCount = co.text.usesPageCount();
                co.drawsEmpty = object.style.frameSides != FrameNone || object.style.fill.isValid();
                cb.objects.push_back(std::move(co));
            }
            m_bands.push_back(std::move(cb));
        }
        for (const CompiledBand& cb : m_bands) {
            switch (cb.band->kind) {
            case BandKind::Title: m_title = &cb; break;
            case BandKind::PageHeader: m_pageHeader = &cb; break;
            case BandKind::ColumnHeader: m_columnHeader = &cb; break;
            case BandKind::Data: m_data = &cb; break;
            case BandKind::Summary: m_summary = &cb; break;
            case BandKind::PageFooter: m_footer = &cb; break;
            }
        }
    }

    void startPage(bool withColumnHeader)
    {
        m_page = &m_out.addPage(m_t.paper);
        m_y = m_t.margins.top();
        if (m_out.pageCount() == 1 && m_title)
            put(*m_title);
        if (m_pageHeader)
            put(*m_pageHeader);
        if (withColumnHeader && m_columnHeader)
            put(*m_columnHeader);
        m_bodyTop = m_y;
    }

    void endPage()
    {
        if (m_footer) {
            m_y = m_limit;
            put(*m_footer);
        }
    }

    void place(const CompiledBand& band, bool withColumnHeader)
    {
        if (m_y + band.band->height > m_limit + 1e-9 && m_y > m_bodyTop) {
            endPage();
            startPage(withColumnHeader);
        }
        put(band);
    }

    void put(const CompiledBand& band)
    {
        const QPointF origin(m_t.margins.left(), m_y);
        const int pageNumber = m_out.pageCount();
        for (const CompiledObject& co : band.objects) {
            PreparedItem item;
            item.rect = co.object->rect.translated(origin);
            item.style = co.style;
            item.object = co.object->name;
            if (co.usesPageCount) {
                Pending pending;
                pending.page = pageNumber - 1;
                pending.item = m_page->items.size();
                pending.object = &co;
                for (const TextSegment& s : co.text.segments)
                    pending.parts.push_back(s.kind == TextSegment::Kind::Pages
                                                ? QString()
                                                : segmentText(s, co.object->format, pageNumber, 0, m_row));
                m_pending.push_back(std::move(pending));
            } else if (co.constant) {
                if (!co.text.segments.empty())
                    item.text = co.text.segments[0].text;
            } else {
                for (const TextSegment& s : co.text.segments)
                    item.text += segmentText(s, co.object->format, pageNumber, 0, m_row);
            }
            if (item.text.isEmpty() && !co.drawsEmpty && !co.usesPageCount)
                continue;
            m_page->items.push_back(std::move(item));
        }
        m_y += band.band->height;
    }

    void resolvePageCount()
    {
        const int count = m_out.pageCount();
        for (Pending& p : m_pending) {
            QString text;
            const auto& segments = p.object->text.segments;
            for (size_t i = 0; i < segments.size(); ++i)
                text += segments[i].kind == TextSegment::Kind::Pages
                    ? segmentText(segments[i], p.object->object->format, 0, count, 0)
                    : p.parts[i];
            m_out.page(p.page).items[p.item].text = std::move(text);
        }
    }

    const PrepareInput& m_in;
    const ReportTemplate& m_t;
    PreparedReport m_out;
    std::vector<CompiledBand> m_bands;
    const CompiledBand* m_title = nullptr;
    const CompiledBand* m_pageHeader = nullptr;
    const CompiledBand* m_columnHeader = nullptr;
    const CompiledBand* m_data = nullptr;
    const CompiledBand* m_summary = nullptr;
    const CompiledBand* m_footer = nullptr;
    std::vector<Pending> m_pending;
    PreparedPage* m_page = nullptr;
    double m_y = 0;
    double m_bodyTop = 0;
    double m_limit = 0;
    int m_row = 0;
};

} // namespace

PreparedReport prepareReport(const PrepareInput& input)
{
    return Layout(input).run();
}

} // namespace qelvan::report
