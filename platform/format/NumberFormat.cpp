#include "NumberFormat.h"

#include "DecimalDigits.h"

#include <cmath>
#include <vector>

namespace qelvan::format {
namespace {

enum class TokenKind { Literal, RequiredDigit, OptionalDigit, Point };

struct Token {
    TokenKind kind;
    QString text; // literals only
};

struct Section {
    std::vector<Token> tokens;
    bool grouping = false;
    int integerSlots = 0;     // digit placeholders before the point
    int minIntegerDigits = 0; // from the first '0' before the point onwards
    int fractionSlots = 0;    // digit placeholders after the point
    int minFractionDigits = 0;
    bool hasDigits() const { return integerSlots + fractionSlots > 0; }
};

// Splits at ';' outside quotes; a missing closing quote runs to the end.
std::vector<QStringView> splitSections(QStringView pattern, bool* unterminated = nullptr)
{
    std::vector<QStringView> out;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            out.push_back(pattern.mid(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(pattern.mid(start));
    if (unterminated)
        *unterminated = !quote.isNull();
    return out;
}

Section parseSection(QStringView text)
{
    Section s;
    bool afterPoint = false;
    int firstRequiredInteger = -1;
    auto literal = [&s](QStringView piece) {
        if (!s.tokens.empty() && s.tokens.back().kind == TokenKind::Literal)
            s.tokens.back().text += piece;
        else
            s.tokens.push_back({TokenKind::Literal, piece.toString()});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype close = text.indexOf(c, i + 1);
            const qsizetype stop = close < 0 ? text.size() : close;
            literal(text.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'0' || c == u'#') {
            s.tokens.push_back({c == u'0' ? TokenKind::RequiredDigit : TokenKind::OptionalDigit, {}});
            if (afterPoint) {
                ++s.fractionSlots;
                if (c == u'0')
                    s.minFractionDigits = s.fractionSlots;
            } else {
                if (c == u'0' && firstRequiredInteger < 0)
                    firstRequiredInteger = s.integerSlots;
                ++s.integerSlots;
            }
        } else if (c == u'.') {
            // Only the first point counts; later ones are dropped.
            if (!afterPoint) {
                afterPoint = true;
                s.tokens.push_back({TokenKind::Point, {}});
            }
        } else if (c == u',') {
            s.grouping = true;
        } else {
            literal(text.mid(i, 1));
        }
    }
    if (firstRequiredInteger >= 0)
        s.minIntegerDigits = s.integerSlots - firstRequiredInteger;
    return s;
}

// Lays the digits of an already rounded absolute value into the section.
QString render(const Section& s, const DecimalDigits& value, const FormatSettings& settings)
{
    QString out;
    if (!s.hasDigits()) {
        for (const Token& t : s.tokens)
            if (t.kind == TokenKind::Literal)
                out += t.text;
        return out;
    }

    std::string integer = value.integerDigits();
    if (static_cast<int>(integer.size()) < s.minIntegerDigits)
        integer.insert(0, static_cast<size_t>(s.minIntegerDigits) - integer.size(), '0');
    const int length = static_cast<int>(integer.size());

    std::string fraction = value.fractionDigits(s.fractionSlots);
    int shownFraction = s.fractionSlots;
    while (shownFraction > s.minFractionDigits && fraction[static_cast<size_t>(shownFraction) - 1] == '0')
        --shownFraction;

    auto emitInteger = [&](int from, int to) { // digits [from, to)
        for (int j = from; j < to; ++j) {
            out += QLatin1Char(integer[static_cast<size_t>(j)]);
            const int left = length - 1 - j;
            if (s.grouping && left > 0 && left % 3 == 0)
                out += settings.thousandSeparator;
        }
    };

    int integerSlot = 0;
    int fractionSlot = 0;
    bool integerDone = false;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
        case TokenKind::Literal:
            out += t.text;
            break;
        case TokenKind::RequiredDigit:
        case TokenKind::OptionalDigit:
            if (integerSlot < s.integerSlots) {
                // Slot k holds digit length - integerSlots + k; the first slot
                // also takes every digit that has no slot of its own.
                const int index = length - s.integerSlots + integerSlot;
                if (integerSlot == 0)
                    emitInteger(0, std::max(index + 1, 0));
                else if (index >= 0)
                    emitInteger(index, index + 1);
                ++integerSlot;
                integerDone = true;
            } else {
                if (fractionSlot < shownFraction)
                    out += QLatin1Char(fraction[static_cast<size_t>(fractionSlot)]);
                ++fractionSlot;
            }
            break;
        case TokenKind::Point:
            if (!integerDone) { // ".00" alone still shows the integer digits
                emitInteger(0, length);
                integerDone = true;
            }
            if (shownFraction > 0)
                out += settings.decimalSeparator;
            break;
        }
    }
    return out;
}

QString formatNonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString formatFloat(QStringView pattern, double value, const FormatSettings& settings)
{
    if (!std::isfinite(value))
        return formatNonFinite(value);
    if (pattern.isEmpty())
        return formatGeneral(value, settings);

    const std::vector<QStringView> texts = splitSections(pattern);
    const Section positive = parseSection(texts[0]);
    const bool hasNegative = texts.size() > 1 && !texts[1].isEmpty();
    const bool hasZero = texts.size() > 2 && !texts[2].isEmpty();

    DecimalDigits digits = DecimalDigits::fromDouble(value);
    const bool negative = digits.negative && !digits.isZero();
    digits.negative = false;

    if (negative) {
        const Section section = hasNegative ? parseSection(texts[1]) : positive;
        DecimalDigits rounded = digits;
        rounded.roundToFraction(section.fractionSlots);
        if (!rounded.isZero()) {
            const QString body = render(section, rounded, settings);
            return hasNegative ? body : QLatin1Char('-') + body;
        }
        // Rounds to nothing: shown as zero, never as "-0.00".
    } else {
        digits.roundToFraction(positive.fractionSlots);
        if (!digits.isZero())
            return render(positive, digits, settings);
    }
    if (hasZero)
        return render(parseSection(texts[2]), DecimalDigits{}, settings);
    return render(positive, DecimalDigits{}, settings);
}

QString formatGeneral(double value, const FormatSettings& settings)
{
    if (!std::isfinite(value))
        return formatNonFinite(value);
    DecimalDigits d = DecimalDigits::fromDouble(value);
    d.roundToSignificant(15);
    if (d.isZero())
        return QStringLiteral("0");
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    if (d.pointPos > 15 || d.pointPos < -4) {
        out += QLatin1Char(d.digits[0]);
        if (d.digits.size() > 1) {
            out += settings.decimalSeparator;
            out += QString::fromLatin1(d.digits.data() + 1, static_cast<qsizetype>(d.digits.size()) - 1);
        }
        const int exponent = d.pointPos - 1;
        out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        out += QString::number(std::abs(exponent));
        return out;
    }
    const std::string integer = d.integerDigits();
    out += integer.empty() ? QStringLiteral("0") : QString::fromLatin1(integer.data(), static_cast<qsizetype>(integer.size()));
    const int fractionCount = static_cast<int>(d.digits.size()) - d.pointPos;
    if (fractionCount > 0) {
        out += settings.decimalSeparator;
        const std::string fraction = d.fractionDigits(fractionCount);
        out += QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    }
    return out;
}

QString currencyDefaultPattern(const FormatSettings& settings)
{
    QString number = QStringLiteral(",0");
    if (settings.currencyDecimals > 0)
        number += QLatin1Char('.') + QString(settings.currencyDecimals, QLatin1Char('0'));

    // A symbol holding pattern characters ("kr.", "0$") must be quoted to
    // stay literal; plain symbols stay bare so the text reads as expected.
    QString symbol = settings.currencyString;
    static const QString special = QStringLiteral("0#.,;'\"");
    for (QChar c : symbol) {
        if (special.contains(c)) {
            const QChar quote = symbol.contains(u'"') ? QLatin1Char('\'') : QLatin1Char('"');
            symbol = quote + symbol + quote;
            break;
        }
    }

    QString positive;
    switch (settings.currencyFormat) {
    case 1: positive = number + symbol; break;
    case 2: positive = symbol + QLatin1Char(' ') + number; break;
    case 3: positive = number + QLatin1Char(' ') + symbol; break;
    default: positive = symbol + number; break;
    }
    return positive + QStringLiteral(";-") + positive;
}

bool isValidPattern(QStringView pattern)
{
    bool unterminated = false;
    const auto sections = splitSections(pattern, &unterminated);
    return !unterminated && sections.size() <= 3;
}

} // namespace qelvan::format
