#include "TextExpression.h"

#include "DataLink.h"
#include "ReportError.h"
#include "Variables.h"

#include "format/DateFormat.h"
#include "format/NumberFormat.h"

namespace qelvan::report {

namespace {

QString unquote(QString s)
{
    s = s.trimmed();
    if (s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"')))
        return s.mid(1, s.size() - 2);
    return s;
}

// The first '.' outside double quotes, or -1.
qsizetype dotOutsideQuotes(const QString& s)
{
    bool quoted = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (s[i] == QLatin1Char('.') && !quoted)
            return i;
    }
    return -1;
}

class Compiler {
public:
    Compiler(const TextObject& object, const CompileContext& context) : m_object(object), m_context(context) {}

    CompiledText run()
    {
        if (!m_object.format.isEmpty() && !format::isValidPattern(m_object.format))
            fail(firstExpression(), QStringLiteral("显示格式“%1”无效").arg(m_object.format));

        const QString& s = m_object.content;
        QString literal;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i] != QLatin1Char('[')) {
                literal += s[i];
                continue;
            }
            if (i + 1 < s.size() && s[i + 1] == QLatin1Char('[')) {   // "[[" is a literal bracket
                literal += s[i];
                ++i;
                continue;
            }
            const qsizetype end = closingBracket(s, i + 1);
            if (end < 0)
                fail(s.mid(i), QStringLiteral("缺少“]”"));
            const QString expression = s.mid(i, end - i + 1);
            TextSegment segment = compileExpression(expression, s.mid(i + 1, end - i - 1).trimmed());
            if (segment.kind == TextSegment::Kind::Literal) {
                literal += segment.text;
            } else {
                flush(literal);
                m_out.segments.push_back(std::move(segment));
            }
            i = end;
        }
        flush(literal);
        return std::move(m_out);
    }

private:
    static qsizetype closingBracket(const QString& s, qsizetype from)
    {
        bool quoted = false;
        for (qsizetype i = from; i < s.size(); ++i) {
            if (s[i] == QLatin1Char('"'))
                quoted = !quoted;
            else if (s[i] == QLatin1Char(']') && !quoted)
                return i;
        }
        return -1;
    }

    QString firstExpression() const
    {
        const qsizetype open = m_object.content.indexOf(QLatin1Char('['));
        if (open < 0)
            return m_object.content;
        const qsizetype close = closingBracket(m_object.content, open + 1);
        return close < 0 ? m_object.content.mid(open) : m_object.content.mid(open, close - open + 1);
    }

    [[noreturn]] void fail(const QString& expression, const QString& why) const
    {
        throw ReportError(
            QStringLiteral("报表对象“%1”的表达式“%2”有错误：%3").arg(m_object.name, expression, why));
    }

    void flush(QString& literal)
    {
        if (literal.isEmpty())
            return;
        TextSegment seg;
        seg.text = std::move(literal);
        m_out.segments.push_back(std::move(seg));
        literal.clear();
    }

    TextSegment compileExpression(const QString& expression, const QString& inner)
    {
        TextSegment seg;
        if (inner.isEmpty())
            fail(expression, QStringLiteral("表达式为空"));

        if (inner.startsWith(QLatin1Char('@'))) {
            const QString name = inner.mid(1).toLower();
            if (name == QLatin1String("page")) seg.kind = TextSegment::Kind::Page;
            else if (name == QLatin1String("pages")) seg.kind = TextSegment::Kind::Pages;
            else if (name == QLatin1String("row")) seg.kind = TextSegment::Kind::Row;
            else if (name == QLatin1String("date")) seg.text = format::formatShortDate(m_context.printTime.date());
            else if (name == QLatin1String("time")) seg.text = m_context.printTime.time().toString(QStringLiteral("hh:mm:ss"));
            else fail(expression, QStringLiteral("未知的系统值“%1”").arg(inner));
            return seg;
        }

        const qsizetype dot = dotOutsideQuotes(inner);
        if (dot < 0) {
            const QString name = unquote(inner);
            if (!hasVariable(name))
                fail(expression, QStringLiteral("未知的变量“%1”").arg(name));
            seg.text = formatValue(variable(name), m_object.format);
            return seg;
        }

        const QString linkName = unquote(inner.left(dot));
        const QString fieldName = unquote(inner.mid(dot + 1));
        const DataLink* link = m_context.findLink ? m_context.findLink(linkName) : nullptr;
        if (!link)
            fail(expression, QStringLiteral("未知的数据连接“%1”").arg(linkName));
        const int field = link->fieldIndex(fieldName);
        if (field < 0)
            fail(expression, QStringLiteral("数据连接“%1”没有字段“%2”").arg(linkName, fieldName));
        seg.kind = TextSegment::Kind::Field;
        seg.link = link;
        seg.field = field;
        return seg;
    }

    const TextObject& m_object;
    const CompileContext& m_context;
    CompiledText m_out;
};

} // namespace

bool CompiledText::usesPageCount() const
{
    for (const TextSegment& s : segments)
        if (s.kind == TextSegment::Kind::Pages)
            return true;
    return false;
}

CompiledText compileText(const TextObject& object, const CompileContext& context)
{
    return Compiler(object, context).run();
}

QString formatValue(const QVariant& value, const QString& pattern)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return pattern.isEmpty() ? format::formatGeneral(value.toDouble()) : format::formatFloat(pattern, value.toDouble());
    default:
        return value.toString();
    }
}

QString segmentText(const TextSegment& segment, const QString& pattern, int page, int pageCount, int row)
{
    switch (segment.kind) {
    case TextSegment::Kind::Literal: return segment.text;
    case TextSegment::Kind::Field: return formatValue(segment.link->value(segment.field), pattern);
    case TextSegment::Kind::Page: return formatValue(page, pattern);
    case TextSegment::Kind::Pages: return formatValue(pageCount, pattern);
    case TextSegment::Kind::Row: return formatValue(row, pattern);
    }
    return {};
}

} // namespace qelvan::report
