#pragma once
// A report layout as read from a template file: the page, and bands of text
// objects. Geometry is in millimetres, fonts in points.

#include "ItemStyle.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace qelvan::report {

enum class BandKind {
    Title,          ///< once, at the top of the first page
    PageHeader,     ///< at the top of every page
    ColumnHeader,   ///< under the page header on every page that holds rows
    Data,           ///< once per row of its data link
    Summary,        ///< once, after the last row
    PageFooter,     ///< at the bottom of every page
};

struct TextObject {
    QString name;
    QRectF rect;        ///< relative to the band's top-left corner
    ItemStyle style;
    QString format;     ///< numeric display pattern; empty: none
    QString content;    ///< text with [expressions]
    int line = 0;       ///< where it starts in the file, for messages
};

struct Band {
    BandKind kind = BandKind::Data;
    double height = 0;
    QString dataLink;   ///< the data band's link name
    std::vector<TextObject> objects;
};

struct ReportTemplate {
    QString name;
    QSizeF paper{210, 297};
    QMarginsF margins{10, 10, 10, 10};   ///< left, top, right, bottom
    std::vector<Band> bands;

    const Band* band(BandKind kind) const
    {
        for (const Band& b : bands)
            if (b.kind == kind)
                return &b;
        return nullptr;
    }
};

} // namespace qelvan::report
