#include "SummaryGrid.h"

namespace qelvan::ui {

namespace {

using grid::ColumnKind;
using grid::ColumnSpec;
using grid::Summary;

ColumnSpec declared(const char* field, ColumnKind kind, const char* caption, int width, Qt::Alignment alignment,
                  const char* format, Summary summary = Summary::None, const char* footer = "0.00;-0.00")
{
    ColumnSpec spec;
    spec.objectName = QStringLiteral("dbg_xstgjfp2") + QLatin1String(field);
    spec.kind = kind;
    spec.caption = QString::fromUtf8(caption);
    spec.fieldName = QLatin1String(field);
    spec.width = width;
    spec.alignment = alignment | Qt::AlignVCenter;
    spec.displayFormat = QString::fromUtf8(format);
    spec.summary = summary;
    spec.footerFormat = QString::fromUtf8(footer);
    return spec;
}

} // namespace

SummaryGrid::SummaryGrid(QWidget* parent) : grid::DataGrid(parent)
{
    const Qt::Alignment left = Qt::AlignLeft;
    const Qt::Alignment right = Qt::AlignRight;
    // An empty format on a currency column means the locale's currency pattern.
    const ColumnSpec columns[] = {
        declared("SPDM00", ColumnKind::Text, "商品代码", 91, left, ""),
        declared("SPMC00", ColumnKind::Text, "商品名称", 112, left, ""),
        declared("DJIA00", ColumnKind::Currency, "单价", 126, right, "￥,0.000000;-￥,0.000000"),
        declared("SL0000", ColumnKind::Plain, "数量（条）", 101, right, "", Summary::Sum, " 0.00"),
        declared("JE0000", ColumnKind::Currency, "金额(含税)", 125, right, "￥,0.00;-￥,0.00", Summary::Sum),
        declared("BHSJE0", ColumnKind::Currency, "金额(不含税)", 112, right, "", Summary::Sum),
        declared("SE0000", ColumnKind::Currency, "税额", 111, right, ",0.00;-,0.00", Summary::Sum),
    };
    for (const ColumnSpec& spec : columns)
        addColumn(spec);
    setKeyFieldName(QStringLiteral("SL0000"));
}

} // namespace qelvan::ui
