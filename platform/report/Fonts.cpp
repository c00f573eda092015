#include "Fonts.h"

#include <QFontDatabase>

namespace qelvan::report {

void installFontSubstitutions()
{
    static const bool done = [] {
        const QString song = QStringLiteral("AR PL UMing CN");
        for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun", "仿宋", "仿宋_GB2312", "楷体", "楷体_GB2312",
                                 "黑体", "SimHei", "微软雅黑", "Microsoft YaHei"})
            QFont::insertSubstitution(QString::fromUtf8(name), song);
        return true;
    }();
    (void)done;
}

QFont toQFont(const FontSpec& spec, double zoom)
{
    installFontSubstitutions();
    QFont font(spec.family);
    font.setPointSizeF(spec.pointSize * zoom);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    // Layout in the template is physical; hinting would make widths depend
    // on the zoom and on the device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

} // namespace qelvan::report
