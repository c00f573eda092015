#include "grid/GridColumn.h"

#include "format/NumberFormat.h"

namespace qelvan::grid {

GridColumn::GridColumn(const ColumnSpec& spec, QObject* parent) : QObject(parent), m_spec(spec)
{
    setObjectName(spec.objectName);
}

QString GridColumn::effectiveDisplayFormat() const
{
    if (m_spec.displayFormat.isEmpty() && m_spec.kind == ColumnKind::Currency)
        return format::currencyDefaultPattern();
    return m_spec.displayFormat;
}

void GridColumn::setCaption(const QString& caption)
{
    if (caption == m_spec.caption)
        return;
    m_spec.caption = caption;
    emit changed();
}

void GridColumn::setWidth(int width)
{
    if (width == m_spec.width)
        return;
    m_spec.width = width;
    emit changed();
}

void GridColumn::setAlignment(Qt::Alignment alignment)
{
    if (alignment == m_spec.alignment)
        return;
    m_spec.alignment = alignment;
    emit changed();
}

void GridColumn::setDisplayFormat(const QString& format)
{
    if (format == m_spec.displayFormat)
        return;
    m_spec.displayFormat = format;
    emit changed();
}

void GridColumn::setSummary(Summary summary)
{
    if (summary == m_spec.summary)
        return;
    m_spec.summary = summary;
    emit summaryChanged();
}

void GridColumn::setFooterFormat(const QString& format)
{
    if (format == m_spec.footerFormat)
        return;
    m_spec.footerFormat = format;
    emit changed();
}

} // namespace qelvan::grid
