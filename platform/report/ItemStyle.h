#pragma once
// How a text box looks: font, alignment, frame lines and colours. Shared by
// template objects and prepared items, and compared by value so prepared
// reports keep one copy per distinct look.

#include <QColor>
#include <QString>
#include <Qt>

namespace qelvan::report {

struct FontSpec {
    QString family = QStringLiteral("宋体");
    double pointSize = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec& o) const
    {
        return family == o.family && pointSize == o.pointSize && bold == o.bold && italic == o.italic
            && underline == o.underline;
    }
    bool operator!=(const FontSpec& o) const { return !(*this == o); }
};

enum FrameSide : unsigned {
    FrameNone = 0,
    FrameLeft = 1,
    FrameTop = 2,
    FrameRight = 4,
    FrameBottom = 8,
    FrameAll = FrameLeft | FrameTop | FrameRight | FrameBottom,
};

struct ItemStyle {
    FontSpec font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    unsigned frameSides = FrameNone;
    double frameWidth = 0.2;            ///< millimetres
    QColor frameColor = Qt::black;
    QColor textColor = Qt::black;
    QColor fill;                        ///< invalid: no fill

    bool operator==(const ItemStyle& o) const
    {
        return font == o.font && alignment == o.alignment && wordWrap == o.wordWrap
            && frameSides == o.frameSides && frameWidth == o.frameWidth && frameColor == o.frameColor
            && textColor == o.textColor && fill == o.fill;
    }
    bool operator!=(const ItemStyle& o) const { return !(*this == o); }
};

} // namespace qelvan::report
