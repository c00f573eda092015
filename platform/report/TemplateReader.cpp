#include "TemplateReader.h"

#include "ReportError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPageSize>
#include <QSet>
#include <QStringDecoder>

#include <cmath>
#include <optional>

namespace qelvan::report {

namespace {

const QString kMagic = QStringLiteral("qelvan-report");
constexpr int kVersion = 1;

struct Line {
    int number = 0;
    QString key;
    QString value;   // the rest of the line, blanks trimmed
};

[[noreturn]] void fail(int line, const QString& what)
{
    throw ReportError(QStringLiteral("第 %1 行：%2").arg(line).arg(what));
}

[[noreturn]] void badValue(const Line& l)
{
    fail(l.number, QStringLiteral("“%1”的值无效：%2").arg(l.key, l.value));
}

QStringList words(const QString& value)
{
    return value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

std::vector<double> numbers(const Line& l, int count, bool positive)
{
    const QStringList parts = words(l.value);
    if (parts.size() != count)
        badValue(l);
    std::vector<double> out;
    for (const QString& p : parts) {
        bool ok = false;
        const double v = p.toDouble(&ok);
        if (!ok || v < 0 || (positive && v <= 0) || !std::isfinite(v))
            badValue(l);
        out.push_back(v);
    }
    return out;
}

QSizeF paperSize(const Line& l)
{
    QStringList parts = words(l.value);
    bool landscape = false;
    if (!parts.isEmpty() && parts.last().compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0) {
        landscape = true;
        parts.removeLast();
    } else if (!parts.isEmpty() && parts.last().compare(QLatin1String("portrait"), Qt::CaseInsensitive) == 0) {
        parts.removeLast();
    }
    QSizeF size;
    if (parts.size() == 1) {
        static const QHash<QString, QPageSize::PageSizeId> named = {
            {QStringLiteral("a3"), QPageSize::A3},   {QStringLiteral("a4"), QPageSize::A4},
            {QStringLiteral("a5"), QPageSize::A5},   {QStringLiteral("b5"), QPageSize::B5},
            {QStringLiteral("letter"), QPageSize::Letter}, {QStringLiteral("legal"), QPageSize::Legal},
        };
        auto it = named.constFind(parts[0].toLower());
        if (it == named.cend())
            badValue(l);
        size = QPageSize::size(*it, QPageSize::Millimeter);
    } else {
        Line numeric = l;
        numeric.value = parts.join(QLatin1Char(' '));
        const auto wh = numbers(numeric, 2, true);
        size = QSizeF(wh[0], wh[1]);
    }
    return landscape ? size.transposed() : size;
}

std::optional<BandKind> bandKind(const QString& word)
{
    static const QHash<QString, BandKind> kinds = {
        {QStringLiteral("title"), BandKind::Title},
        {QStringLiteral("page-header"), BandKind::PageHeader},
        {QStringLiteral("column-header"), BandKind::ColumnHeader},
        {QStringLiteral("data"), BandKind::Data},
        {QStringLiteral("summary"), BandKind::Summary},
        {QStringLiteral("page-footer"), BandKind::PageFooter},
    };
    auto it = kinds.constFind(word.toLower());
    if (it == kinds.cend())
        return std::nullopt;
    return *it;
}

bool yesNo(const Line& l)
{
    const QString v = l.value.toLower();
    if (v == QLatin1String("yes"))
        return true;
    if (v == QLatin1String("no"))
        return false;
    badValue(l);
}

QColor color(const Line& l)
{
    const QColor c = QColor::fromString(l.value);
    if (!c.isValid())
        badValue(l);
    return c;
}

Qt::Alignment alignment(const Line& l)
{
    Qt::Alignment h = Qt::AlignLeft;
    Qt::Alignment v = Qt::AlignVCenter;
    const QStringList parts = words(l.value);
    if (parts.isEmpty() || parts.size() > 2)
        badValue(l);
    for (const QString& w : parts) {
        const QString word = w.toLower();
        if (word == QLatin1String("left")) h = Qt::AlignLeft;
        else if (word == QLatin1String("center")) h = Qt::AlignHCenter;
        else if (word == QLatin1String("right")) h = Qt::AlignRight;
        else if (word == QLatin1String("top")) v = Qt::AlignTop;
        else if (word == QLatin1String("middle")) v = Qt::AlignVCenter;
        else if (word == QLatin1String("bottom")) v = Qt::AlignBottom;
        else badValue(l);
    }
    return h | v;
}

unsigned frameSides(const Line& l)
{
    unsigned sides = FrameNone;
    const QStringList parts = words(l.value);
    if (parts.isEmpty())
        badValue(l);
    for (const QString& w : parts) {
        const QString word = w.toLower();
        if (word == QLatin1String("none") && parts.size() == 1) sides = FrameNone;
        else if (word == QLatin1String("all") && parts.size() == 1) sides = FrameAll;
        else if (word == QLatin1String("left")) sides |= FrameLeft;
        else if (word == QLatin1String("top")) sides |= FrameTop;
        else if (word == QLatin1String("right")) sides |= FrameRight;
        else if (word == QLatin1String("bottom")) sides |= FrameBottom;
        else badValue(l);
    }
    return sides;
}

void fontStyle(const Line& l, FontSpec& font)
{
    font.bold = font.italic = font.underline = false;
    for (const QString& w : words(l.value)) {
        const QString word = w.toLower();
        if (word == QLatin1String("bold")) font.bold = true;
        else if (word == QLatin1String("italic")) font.italic = true;
        else if (word == QLatin1String("underline")) font.underline = true;
        else if (word != QLatin1String("normal")) badValue(l);
    }
}

class Parser {
public:
    ReportTemplate run(const QString& text);

private:
    enum class Block { None, Report, Band, Text };

    void header(const Line& l);
    void open(const Line& l);
    void reportProperty(const Line& l);
    void bandProperty(const Line& l);
    void textProperty(const Line& l);
    void closeText();
    void closeBand();

    ReportTemplate m_t;
    Block m_block = Block::None;
    FontSpec m_defaultFont;
    Band* m_band = nullptr;
    int m_bandLine = 0;
    std::optional<TextObject> m_text;
    bool m_textHasRect = false;
    bool m_textHasContent = false;
    int m_objectCount = 0;
    QSet<QString> m_names;
};

void Parser::header(const Line& l)
{
    if (l.key != kMagic)
        fail(l.number, QStringLiteral("不是报表模板文件"));
    bool ok = false;
    const int version = l.value.toInt(&ok);
    if (!ok || version != kVersion)
        fail(l.number, QStringLiteral("不支持的模板版本“%1”").arg(l.value));
}

void Parser::closeText()
{
    if (!m_text)
        return;
    if (!m_textHasRect)
        fail(m_text->line, QStringLiteral("对象“%1”缺少位置（rect）").arg(m_text->name));
    m_band->objects.push_back(std::move(*m_text));
    m_text.reset();
}

void Parser::closeBand()
{
    closeText();
    if (m_band && m_band->kind == BandKind::Data && m_band->dataLink.isEmpty())
        fail(m_bandLine, QStringLiteral("数据区域缺少数据连接（link）"));
}

void Parser::open(const Line& l)
{
    if (l.key == QLatin1String("report")) {
        if (!l.value.isEmpty())
            badValue(l);
        closeBand();
        m_band = nullptr;
        m_block = Block::Report;
    } else if (l.key == QLatin1String("band")) {
        const auto kind = bandKind(l.value);
        if (!kind)
            fail(l.number, QStringLiteral("未知的区域类型“%1”").arg(l.value));
        if (m_t.band(*kind))
            fail(l.number, QStringLiteral("区域“%1”重复").arg(l.value));
        closeBand();
        m_t.bands.emplace_back();
        m_band = &m_t.bands.back();
        m_band->kind = *kind;
        m_bandLine = l.number;
        m_block = Block::Band;
    } else {   // "text"
        if (!m_band)
            fail(l.number, QStringLiteral("对象必须放在区域之内"));
        closeText();
        ++m_objectCount;
        TextObject object;
        object.name = l.value.isEmpty() ? QStringLiteral("text%1").arg(m_objectCount) : l.value;
        if (words(object.name).size() != 1)
            badValue(l);
        if (m_names.contains(object.name))
            fail(l.number, QStringLiteral("对象名“%1”重复").arg(object.name));
        m_names.insert(object.name);
        object.style.font = m_defaultFont;
        object.line = l.number;
        m_text = std::move(object);
        m_textHasRect = m_textHasContent = false;
        m_block = Block::Text;
    }
}

void Parser::reportProperty(const Line& l)
{
    if (l.key == QLatin1String("name")) {
        m_t.name = l.value;
    } else if (l.key == QLatin1String("paper")) {
        m_t.paper = paperSize(l);
    } else if (l.key == QLatin1String("margins")) {
        const auto m = numbers(l, 4, false);
        m_t.margins = QMarginsF(m[0], m[1], m[2], m[3]);
    } else if (l.key == QLatin1String("font")) {
        if (l.value.isEmpty())
            badValue(l);
        m_defaultFont.family = l.value;
    } else if (l.key == QLatin1String("size")) {
        m_defaultFont.pointSize = numbers(l, 1, true)[0];
    } else {
        fail(l.number, QStringLiteral("“%1”不能用在这里").arg(l.key));
    }
}

void Parser::bandProperty(const Line& l)
{
    if (l.key == QLatin1String("height")) {
        m_band->height = numbers(l, 1, false)[0];
    } else if (l.key == QLatin1String("link") && m_band->kind == BandKind::Data) {
        if (words(l.value).size() != 1)
            badValue(l);
        m_band->dataLink = l.value;
    } else {
        fail(l.number, QStringLiteral("“%1”不能用在这里").arg(l.key));
    }
}

void Parser::textProperty(const Line& l)
{
    TextObject& o = *m_text;
    if (l.key == QLatin1String("rect")) {
        const auto r = numbers(l, 4, false);
        o.rect = QRectF(r[0], r[1], r[2], r[3]);
        m_textHasRect = true;
    } else if (l.key == QLatin1String("content")) {
        // Each further content line starts a new line of text.
        o.content = m_textHasContent ? o.content + QLatin1Char('\n') + l.value : l.value;
        m_textHasContent = true;
    } else if (l.key == QLatin1String("format")) {
        o.format = l.value;
    } else if (l.key == QLatin1String("font")) {
        if (l.value.isEmpty())
            badValue(l);
        o.style.font.family = l.value;
    } else if (l.key == QLatin1String("size")) {
        o.style.font.pointSize = numbers(l, 1, true)[0];
    } else if (l.key == QLatin1String("style")) {
        fontStyle(l, o.style.font);
    } else if (l.key == QLatin1String("align")) {
        o.style.alignment = alignment(l);
    } else if (l.key == QLatin1String("wrap")) {
        o.style.wordWrap = yesNo(l);
    } else if (l.key == QLatin1String("frame")) {
        o.style.frameSides = frameSides(l);
    } else if (l.key == QLatin1String("frame-width")) {
        o.style.frameWidth = numbers(l, 1, true)[0];
    } else if (l.key == QLatin1String("frame-color")) {
        o.style.frameColor = color(l);
    } else if (l.key == QLatin1String("color")) {
        o.style.textColor = color(l);
    } else if (l.key == QLatin1String("fill")) {
        o.style.fill = l.value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 ? QColor() : color(l);
    } else {
        fail(l.number, QStringLiteral("“%1”不能用在这里").arg(l.key));
    }
}

ReportTemplate Parser::run(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool sawHeader = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        raw.replace(QLatin1Char('\t'), QLatin1Char(' '));
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        Line l;
        l.number = i + 1;
        const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
        l.key = (blank < 0 ? trimmed : trimmed.left(blank)).toLower();
        l.value = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();

        if (!sawHeader) {
            header(l);
            sawHeader = true;
            continue;
        }
        if (l.key == QLatin1String("report") || l.key == QLatin1String("band") || l.key == QLatin1String("text")) {
            open(l);
            continue;
        }
        switch (m_block) {
        case Block::None:
            fail(l.number, QStringLiteral("“%1”不能用在这里").arg(l.key));
        case Block::Report:
            reportProperty(l);
            break;
        case Block::Band:
            bandProperty(l);
            break;
        case Block::Text:
            textProperty(l);
            break;
        }
    }
    if (!sawHeader)
        fail(1, QStringLiteral("不是报表模板文件"));
    closeBand();
    if (m_t.paper.width() <= m_t.margins.left() + m_t.margins.right()
        || m_t.paper.height() <= m_t.margins.top() + m_t.margins.bottom())
        fail(1, QStringLiteral("页边距超出了纸张"));
    return std::move(m_t);
}

} // namespace

ReportTemplate parseTemplate(const QString& text)
{
    return Parser().run(text);
}

ReportTemplate readTemplateFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("无法读取报表文件 %1：%2").arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    // Stateless, so a file cut inside a character is an error rather than a
    // character silently kept back for input that never comes.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(bytes);
    try {
        if (decode.hasError())
            throw ReportError(QStringLiteral("不是 UTF-8 文本"));
        return parseTemplate(text);
    } catch (const ReportError& e) {
        throw ReportError(QStringLiteral("无法读取报表文件 %1：%2").arg(name, e.message()));
    }
}

} // namespace qelvan::report
