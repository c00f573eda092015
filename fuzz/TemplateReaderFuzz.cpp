// Report templates come from a file anyone can edit next to the host. Any
// bytes must end in a layout or a ReportError, and a layout that reads must
// prepare (or fail with a ReportError) over a few rows.

#include "report/DataLink.h"
#include "report/Preparer.h"
#include "report/ReportError.h"
#include "report/TemplateReader.h"
#include "report/Variables.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>

using namespace qelvan::report;

namespace {

TableDataLink& rows()
{
    static TableDataLink* link = [] {
        auto* l = new TableDataLink(QStringLiteral("frDBDataSet1"),
                                    {"SPDM00", "SPMC00", "SL0000", "JE0000", "SE0000", "DJIA00", "BHSJE0"});
        l->addRow({QStringLiteral("11010101"), QStringLiteral("江州(硬)"), 12.0, 1404.0, 204.0, 100.0, 1200.0});
        l->addRow({QStringLiteral("10980001"), QStringLiteral("试销装"), 0.0, 0.0, 0.0, QVariant(), 0.0});
        l->addRow({QVariant(), QVariant(), -3.5, -1e300, 1e-300, 2.675, 123456789012.345});
        return l;
    }();
    return *link;
}

void setVariablesOnce()
{
    static const bool done = [] {
        setVariable(QStringLiteral("gsmc"), QStringLiteral("江州市公司"));
        setVariable(QStringLiteral("cxrq"), QStringLiteral("2024-03-01至2024-03-15"));
        setVariable(QStringLiteral("SLHJ"), 8.5);
        setVariable(QStringLiteral("JEHJ"), QStringLiteral("￥1,404.00"));
        setVariable(QStringLiteral("SEHJ"), QVariant());
        setVariable(QStringLiteral("BHSJEHJ"), -0.005);
        return true;
    }();
    (void)done;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    setVariablesOnce();
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(QByteArrayView(data, qsizetype(size)));
    if (decode.hasError())
        return 0;   // the file reader refuses these before parsing
    ReportTemplate layout;
    try {
        layout = parseTemplate(text);
    } catch (const ReportError&) {
        return 0;
    }
    PrepareInput input;
    input.layout = &layout;
    input.findLink = [](const QString& name) -> DataLink* {
        return name.compare(rows().name(), Qt::CaseInsensitive) == 0 ? &rows() : nullptr;
    };
    input.printTime = QDateTime(QDate(2024, 3, 15), QTime(9, 30));
    try {
        const PreparedReport prepared = prepareReport(input);
        if (prepared.isEmpty())
            std::abort();   // a layout that reads always gives at least one page
    } catch (const ReportError&) {
    }
    return 0;
}
