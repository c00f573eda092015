#pragma once
// The text of a template object, compiled once per preparation: literal
// pieces, and expressions in square brackets. Variables and the print
// date/time do not change while a report is prepared, so they are resolved
// at compile time; fields and page numbers are read per band.

#include "ReportTemplate.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

namespace qelvan::report {

class DataLink;

struct TextSegment {
    enum class Kind { Literal, Field, Page, Pages, Row };
    Kind kind = Kind::Literal;
    QString text;                   ///< the literal
    const DataLink* link = nullptr; ///< for Field
    int field = -1;                 ///< for Field
};

struct CompiledText {
    std::vector<TextSegment> segments;
    bool isConstant() const { return segments.empty() || (segments.size() == 1 && segments[0].kind == TextSegment::Kind::Literal); }
    bool usesPageCount() const;
};

struct CompileContext {
    std::function<const DataLink*(const QString& name)> findLink;
    QDateTime printTime;
};

/// Throws ReportError naming the object and the faulty expression: an
/// unknown variable, data link, field or built-in value, an unterminated
/// bracket, or an invalid display format.
CompiledText compileText(const TextObject& object, const CompileContext& context);

/// A value as text: numbers through the display pattern when there is one
/// (in the general form otherwise), texts as they are, NULL as nothing.
QString formatValue(const QVariant& value, const QString& pattern);

/// The text of one segment that is not a literal.
QString segmentText(const TextSegment& segment, const QString& pattern, int page, int pageCount, int row);

} // namespace qelvan::report
