#include "ReportFixture.h"

#include "report/Report.h"
#include "report/TemplateReader.h"
#include "report/Variables.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace qelvan;
using namespace qelvan::report;
using namespace qelvan::report::test;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(ReportComponent, LoadReportsOnlyWhetherTheFileExists)
{
    TempDir dir;
    MessageLog messages;
    PreviewLog previews;
    auto link = summaryLink(3);
    Report report;
    report.addDataLink(link.get());

    // Missing: false, and nothing shown.
    EXPECT_FALSE(report.loadFromFile(dir.file(QStringLiteral("vuq_xstgjfp1.frf"))));
    EXPECT_TRUE(messages.boxes().empty());

    // Present but unreadable: true, the engine's own box, then no preview.
    const QString broken = dir.file(QStringLiteral("broken.frf"));
    writeFile(broken, "qelvan-report 1\nband data\n  link frDBDataSet1\n  height many\n");
    EXPECT_TRUE(report.loadFromFile(broken));
    ASSERT_EQ(messages.boxes().size(), 1u);
    const auto& box = messages.boxes()[0];
    EXPECT_EQ(box.icon, app::MessageIcon::Error);
    EXPECT_EQ(box.caption, QStringLiteral("报表"));
    EXPECT_EQ(box.text, QStringLiteral("无法读取报表文件 broken.frf：第 4 行：“height”的值无效：many"));
    EXPECT_FALSE(report.showReport());
    EXPECT_EQ(previews.shown(), 0);
    EXPECT_EQ(link->moves(), 0);

    // A good template after a broken one loads and previews again.
    ASSERT_TRUE(report.loadFromFile(defaultTemplatePath()));
    setSummaryVariables();
    EXPECT_TRUE(report.showReport());
    EXPECT_EQ(previews.shown(), 1);
    EXPECT_EQ(messages.boxes().size(), 1u);
}

TEST(ReportComponent, ExpressionErrorsNameTheObjectAndShowNoPreview)
{
    struct Case {
        const char* name;
        const char* content;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"unknown variable", "合计：[nosuch]", "",
         "报表对象“bad”的表达式“[nosuch]”有错误：未知的变量“nosuch”"},
        {"unknown field", "[frDBDataSet1.\"NOPE00\"]", "",
         "报表对象“bad”的表达式“[frDBDataSet1.\"NOPE00\"]”有错误：数据连接“frDBDataSet1”没有字段“NOPE00”"},
        {"unknown link", "[frDBDataSet9.\"SPDM00\"]", "",
         "报表对象“bad”的表达式“[frDBDataSet9.\"SPDM00\"]”有错误：未知的数据连接“frDBDataSet9”"},
        {"bad format", "[frDBDataSet1.\"JE0000\"]", "0;0;0;0",
         "报表对象“bad”的表达式“[frDBDataSet1.\"JE0000\"]”有错误：显示格式“0;0;0;0”无效"},
        {"unterminated bracket", "合计 [SLHJ", "", "报表对象“bad”的表达式“[SLHJ”有错误：缺少“]”"},
        {"unknown built-in", "[@weekday]", "", "报表对象“bad”的表达式“[@weekday]”有错误：未知的系统值“@weekday”"},
        {"empty brackets", "[ ]", "", "报表对象“bad”的表达式“[ ]”有错误：表达式为空"},
    };
    clearVariables();
    setSummaryVariables();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageLog messages;
        PreviewLog previews;
        auto link = summaryLink(3);
        ReportTemplate t = readTemplateFile(defaultTemplatePath());
        TextObject bad;
        bad.name = QStringLiteral("bad");
        bad.rect = QRectF(0, 0, 20, 5);
        bad.content = QString::fromUtf8(c.content);
        bad.format = QString::fromUtf8(c.format);
        for (Band& band : t.bands)
            if (band.kind == BandKind::Summary)
                band.objects.push_back(bad);
        Report report;
        report.addDataLink(link.get());
        report.setLayout(std::move(t));

        EXPECT_FALSE(report.showReport());
        EXPECT_EQ(previews.shown(), 0);
        EXPECT_TRUE(report.prepared().isEmpty());
        ASSERT_EQ(messages.boxes().size(), 1u);
        EXPECT_EQ(messages.boxes()[0].text, QString::fromUtf8(c.expected));
        EXPECT_EQ(messages.boxes()[0].icon, app::MessageIcon::Error);
    }
}

TEST(ReportComponent, VariablesAreEngineWideAndReplacedByName)
{
    clearVariables();
    setVariable(QStringLiteral("gsmc"), QStringLiteral("甲公司"));
    setVariable(QStringLiteral("cxrq"), QStringLiteral("2024-01-01  至  2024-01-02"));
    setVariable(QStringLiteral("GSMC"), QStringLiteral("乙公司"));   // same variable, new value
    EXPECT_EQ(variableNames(), (QStringList{"gsmc", "cxrq"}));
    EXPECT_EQ(variable(QStringLiteral("gsmc")).toString(), QStringLiteral("乙公司"));
    EXPECT_FALSE(hasVariable(QStringLiteral("SLHJ")));

    // A report made later sees them; numbers take the object's format.
    setVariable(QStringLiteral("total"), 1234.5);
    Report report;
    report.setLayout(parseTemplate(QStringLiteral("qelvan-report 1\nband title\n  height 10\n"
                                                  "text a\n  rect 0 0 50 5\n  content [gsmc]\n"
                                                  "text b\n  rect 0 5 50 5\n  format ,0.00\n  content [total] [[元]\n")));
    ASSERT_TRUE(report.prepare());
    EXPECT_EQ(textsOf(report.prepared(), QStringLiteral("a")), QStringList{"乙公司"});
    EXPECT_EQ(textsOf(report.prepared(), QStringLiteral("b")), QStringList{"1,234.50 [元]"});
}

TEST(ReportComponent, MissingDataLinkIsReported)
{
    MessageLog messages;
    Report report;
    report.setLayout(readTemplateFile(defaultTemplatePath()));
    setSummaryVariables();
    EXPECT_FALSE(report.prepare());
    ASSERT_EQ(messages.boxes().size(), 1u);
    EXPECT_TRUE(messages.boxes()[0].text.contains(QStringLiteral("frDBDataSet1")));
}

} // namespace
