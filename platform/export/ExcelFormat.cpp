#include "ExcelFormat.h"

#include <QChar>
#include <QStringList>

#include <cmath>
#include <vector>

namespace qelvan::exporting {
namespace {

struct Token {
    enum Kind { Digit, Point, Comma, Literal } kind;
    QChar ch;
};
using Section = std::vector<Token>;

// Splits on unquoted ';'. Both quote characters open literal text, as in the
// grid's own formatter. False for an open quote or more than three sections.
bool tokenize(QStringView pattern, std::vector<Section>& sections)
{
    sections.assign(1, {});
    bool pointSeen = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = pattern[i];
        Section& section = sections.back();
        if (ch == u'"' || ch == u'\'') {
            const qsizetype close = pattern.indexOf(ch, i + 1);
            if (close < 0)
                return false;
            for (qsizetype k = i + 1; k < close; ++k)
                section.push_back({Token::Literal, pattern[k]});
            i = close;
        } else if (ch == u';') {
            sections.emplace_back();
            pointSeen = false;
        } else if (ch == u'0' || ch == u'#') {
            section.push_back({Token::Digit, ch});
        } else if (ch == u'.' && !pointSeen) {
            section.push_back({Token::Point, ch});
            pointSeen = true;
        } else if (ch == u',') {
            section.push_back({Token::Comma, ch});
        } else {
            section.push_back({Token::Literal, ch});
        }
    }
    return sections.size() <= 3;
}

// Grouping in a workbook is a comma between two integer digit placeholders,
// while a comma after them would divide by a thousand. So the comma is taken
// out wherever it stood and put back inside the integer digits, which are
// padded with '#' to four so the comma has digits on both sides.
Section placeGrouping(Section section)
{
    bool grouping = false;
    Section out;
    for (const Token& t : section) {
        if (t.kind == Token::Comma)
            grouping = true;
        else
            out.push_back(t);
    }
    if (!grouping)
        return out;
    qsizetype point = 0;
    while (point < qsizetype(out.size()) && out[point].kind != Token::Point)
        ++point;
    qsizetype last = point - 1;
    while (last >= 0 && out[last].kind != Token::Digit)
        --last;
    if (last < 0)
        return out;   // no integer digits: nothing to group
    qsizetype first = last;
    while (first > 0 && out[first - 1].kind == Token::Digit)
        --first;
    const qsizetype padding = std::max<qsizetype>(0, 4 - (last - first + 1));
    out.insert(out.begin() + first, padding, Token{Token::Digit, QLatin1Char('#')});
    last += padding;
    out.insert(out.begin() + last - 2, Token{Token::Comma, QLatin1Char(',')});
    return out;
}

bool isBareLiteral(QChar ch)
{
    return ch == u' ' || ch == u'-' || ch == u'+' || ch == u'(' || ch == u')' || ch == u'$'
        || ch.category() == QChar::Symbol_Currency;
}

QString emitSection(const Section& section)
{
    QString code;
    bool quoted = false;
    auto closeQuote = [&] {
        if (quoted)
            code += u'"';
        quoted = false;
    };
    for (const Token& t : section) {
        if (t.kind != Token::Literal) {
            closeQuote();
            code += t.ch;
        } else if (t.ch == u'"') {
            closeQuote();
            code += QStringLiteral("\\\"");
        } else if (isBareLiteral(t.ch)) {
            closeQuote();
            code += t.ch;
        } else {
            if (!quoted)
                code += u'"';
            quoted = true;
            code += t.ch;
        }
    }
    closeQuote();
    return code;
}

} // namespace

ExcelNumberFormat excelNumberFormat(QStringView pattern)
{
    ExcelNumberFormat format;
    std::vector<Section> sections;
    if (pattern.isEmpty() || !tokenize(pattern, sections))
        return format;

    const Section positive = placeGrouping(sections[0]);
    QStringList codes{emitSection(positive)};
    for (size_t i = 1; i < sections.size(); ++i) {
        if (!sections[i].empty())
            codes << emitSection(placeGrouping(sections[i]));
        else if (i == 1)
            codes << u'-' + codes[0];
        else
            codes << codes[0];
    }
    format.code = codes.join(u';');

    bool afterPoint = false;
    for (const Token& t : positive) {
        if (t.kind == Token::Point)
            afterPoint = true;
        else if (t.kind == Token::Digit && afterPoint)
            ++format.decimals;
        else if (t.kind == Token::Comma)
            format.grouping = true;
        else if (t.kind == Token::Literal)
            format.literalWidth += displayWidth(QStringView(&t.ch, 1));
    }
    return format;
}

int estimatedWidth(const ExcelNumberFormat& format, double value)
{
    if (!std::isfinite(value))
        return 0;
    if (format.code.isEmpty())
        return int(QString::number(value, 'g', 11).size());
    const QString digits = QString::number(std::fabs(value), 'f', format.decimals);
    const qsizetype point = digits.indexOf(u'.');
    const int integerDigits = int(point < 0 ? digits.size() : point);
    int width = integerDigits + format.literalWidth;
    if (format.grouping)
        width += (integerDigits - 1) / 3;
    if (format.decimals > 0)
        width += format.decimals + 1;
    if (value < 0)
        width += 1;
    return width;
}

QString excelSheetName(const QString& company)
{
    QString name;
    for (const QChar ch : company) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            continue;
        if (QStringView(u"[]:*?/\\").contains(ch))
            name += u'_';
        else
            name += ch;
    }
    while (name.startsWith(u'\''))
        name.remove(0, 1);
    auto trimEnd = [&] {
        while (name.endsWith(u'\''))
            name.chop(1);
    };
    trimEnd();
    if (name.size() > 31) {
        name.truncate(31);
        if (name.back().isHighSurrogate())
            name.chop(1);
        trimEnd();
    }
    if (name.isEmpty())
        return QStringLiteral("Sheet1");
    if (name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        name += u'_';
    return name;
}

QString excelColumnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

int displayWidth(QStringView text)
{
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        // East Asian Wide and Fullwidth blocks.
        const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E)
            || (cp >= 0x3041 && cp <= 0x33FF) || (cp >= 0x3400 && cp <= 0x4DBF)
            || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF)
            || (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF)
            || (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60)
            || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F)
            || (cp >= 0x20000 && cp <= 0x3FFFD);
        width += wide ? 2 : 1;
    }
    return width;
}

} // namespace qelvan::exporting
