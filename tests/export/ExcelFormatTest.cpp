#include "export/ExcelFormat.h"
#include "export/TableExport.h"

#include <gtest/gtest.h>

using namespace qelvan::exporting;

namespace {

struct PatternCase {
    const char16_t* pattern;
    const char16_t* code;
};

TEST(ExcelNumberFormat, ConvertsDisplayPatterns)
{
    const PatternCase cases[] = {
        // The grid's own formats.
        {u"￥,0.000000;-￥,0.000000", u"￥#,##0.000000;-￥#,##0.000000"},
        {u"￥,0.00;-￥,0.00", u"￥#,##0.00;-￥#,##0.00"},
        {u",0.00;-,0.00", u"#,##0.00;-#,##0.00"},
        {u" 0.00", u" 0.00"},
        {u"0.00;-0.00", u"0.00;-0.00"},
        // Grouping wherever the comma stood; a trailing comma must not scale.
        {u"0.00,", u"#,##0.00"},
        {u"#,##0", u"#,##0"},
        {u"0,000.00", u"0,000.00"},
        {u",00", u"#,#00"},
        {u",.00", u".00"},
        // Empty sections show what the grid shows.
        {u"0.00;", u"0.00;-0.00"},
        {u"0.00;;'零'", u"0.00;-0.00;\"零\""},
        {u"0.0;(0.0);", u"0.0;(0.0);0.0"},
        // Literal text stays literal, including characters that are codes
        // in a workbook.
        {u"0%", u"0\"%\""},
        {u"0.0E+0", u"0.0\"E\"+0"},
        {u"0 \"kg\"", u"0 \"kg\""},
        {u"'a\"b'0", u"\"a\"\\\"\"b\"0"},
        {u"0.0.0", u"0.0\".\"0"},
        // Unusable: General.
        {u"", u""},
        {u"0.00 'open", u""},
        {u"0;0;0;0", u""},
    };
    for (const PatternCase& c : cases) {
        const QString pattern = QString::fromUtf16(c.pattern);
        SCOPED_TRACE(pattern.toStdString());
        EXPECT_EQ(excelNumberFormat(pattern).code, QString::fromUtf16(c.code));
    }
}

TEST(ExcelNumberFormat, EstimatesShownWidth)
{
    const ExcelNumberFormat price = excelNumberFormat(u"￥,0.000000;-￥,0.000000");
    EXPECT_EQ(estimatedWidth(price, -1234.5), int(QStringLiteral("-￥1,234.500000").size()) + 1);  // ￥ is wide
    EXPECT_EQ(estimatedWidth(excelNumberFormat(u" 0.00"), 999.999), int(QStringLiteral(" 1000.00").size()));
    EXPECT_EQ(estimatedWidth(excelNumberFormat(u""), 12.5), 4);
}

TEST(ExcelSheetName, FollowsSheetNameRules)
{
    const PatternCase cases[] = {
        {u"中烟公司", u"中烟公司"},
        {u"A/B:[公司]*?\\", u"A_B__公司____"},
        {u"'引号'", u"引号"},
        {u"a\tb", u"ab"},
        {u"", u"Sheet1"},
        {u"''", u"Sheet1"},
        {u"history", u"history_"},
        {u"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三", u"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"},
        // 30 letters and a character outside the basic plane: no half pair.
        {u"abcdefghijklmnopqrstuvwxyzabcd\U00020000", u"abcdefghijklmnopqrstuvwxyzabcd"},
    };
    for (const PatternCase& c : cases) {
        const QString company = QString::fromUtf16(c.pattern);
        SCOPED_TRACE(company.toStdString());
        EXPECT_EQ(excelSheetName(company), QString::fromUtf16(c.code));
    }
}

TEST(ExcelColumns, NamesAndWidths)
{
    EXPECT_EQ(excelColumnName(0), "A");
    EXPECT_EQ(excelColumnName(25), "Z");
    EXPECT_EQ(excelColumnName(26), "AA");
    EXPECT_EQ(excelColumnName(701), "ZZ");
    EXPECT_EQ(excelColumnName(702), "AAA");

    EXPECT_EQ(displayWidth(u"数量（条）"), 10);
    EXPECT_EQ(displayWidth(u"金额(不含税)"), 12);
    EXPECT_EQ(displayWidth(u"￥12.5"), 6);
    EXPECT_EQ(displayWidth(u"\U00020000x"), 3);
}

struct FileNameCase {
    const char16_t* company;
    QDate start;
    QDate end;
    const char* extension;
    const char16_t* expected;
};

TEST(ProposedFileName, IsSafeForFileSystems)
{
    const QDate start(2004, 5, 12);
    const QDate end(2004, 5, 13);
    const FileNameCase cases[] = {
        {u"中烟公司", start, end, "xlsx", u"中烟公司_2004-05-12_2004-05-13.xlsx"},
        {u"A/B\\C:D*E?F\"G<H>I|J", start, end, ".csv", u"ABCDEFGHIJ_2004-05-12_2004-05-13.csv"},
        {u" ..隐藏. ", start, end, "csv", u"隐藏_2004-05-12_2004-05-13.csv"},
        {u"a\tb\nc", start, start, "csv", u"abc_2004-05-12_2004-05-12.csv"},
        {u"", start, end, "xlsx", u"2004-05-12_2004-05-13.xlsx"},
        {u"/..", start, QDate(), "xlsx", u"2004-05-12.xlsx"},
    };
    for (const FileNameCase& c : cases) {
        const QString company = QString::fromUtf16(c.company);
        SCOPED_TRACE(company.toStdString());
        EXPECT_EQ(proposedFileName(company, c.start, c.end, QString::fromLatin1(c.extension)),
                  QString::fromUtf16(c.expected));
    }
}

} // namespace
