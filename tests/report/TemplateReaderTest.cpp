#include "ReportFixture.h"

#include "report/ReportError.h"
#include "report/TemplateReader.h"

#include <gtest/gtest.h>

using namespace qelvan::report;

namespace {

const char* kSmall = R"(qelvan-report 1
# a comment, then blank lines

report
  name     小表
  paper    A4 landscape
  margins  5 6 7 8
  font     黑体
  size     11

band data
  height   6.5
  link     frDBDataSet1

text cell
  rect     1 2 30.5 6
  style    bold italic
  align    right bottom
  frame    left bottom
  frame-width 0.4
  fill     #eeeeee
  format   ,0.00;-,0.00
  content  金额：[frDBDataSet1."JE0000"]
  content  第二行

text
  rect     0 0 10 6
  font     宋体
  size     8
)";

TEST(TemplateReader, ReadsEveryProperty)
{
    const ReportTemplate t = parseTemplate(QString::fromUtf8(kSmall));
    EXPECT_EQ(t.name, QStringLiteral("小表"));
    EXPECT_NEAR(t.paper.width(), 297, 0.5);
    EXPECT_NEAR(t.paper.height(), 210, 0.5);
    EXPECT_EQ(t.margins, QMarginsF(5, 6, 7, 8));
    ASSERT_EQ(t.bands.size(), 1u);
    const Band& band = t.bands[0];
    EXPECT_EQ(band.kind, BandKind::Data);
    EXPECT_DOUBLE_EQ(band.height, 6.5);
    EXPECT_EQ(band.dataLink, QStringLiteral("frDBDataSet1"));
    ASSERT_EQ(band.objects.size(), 2u);

    const TextObject& cell = band.objects[0];
    EXPECT_EQ(cell.name, QStringLiteral("cell"));
    EXPECT_EQ(cell.rect, QRectF(1, 2, 30.5, 6));
    EXPECT_EQ(cell.style.font.family, QStringLiteral("黑体"));   // the report's default
    EXPECT_EQ(cell.style.font.pointSize, 11);
    EXPECT_TRUE(cell.style.font.bold && cell.style.font.italic && !cell.style.font.underline);
    EXPECT_EQ(cell.style.alignment, Qt::AlignRight | Qt::AlignBottom);
    EXPECT_EQ(cell.style.frameSides, unsigned(FrameLeft | FrameBottom));
    EXPECT_DOUBLE_EQ(cell.style.frameWidth, 0.4);
    EXPECT_EQ(cell.style.fill, QColor(0xee, 0xee, 0xee));
    EXPECT_EQ(cell.format, QStringLiteral(",0.00;-,0.00"));
    EXPECT_EQ(cell.content, QStringLiteral("金额：[frDBDataSet1.\"JE0000\"]\n第二行"));

    const TextObject& unnamed = band.objects[1];
    EXPECT_EQ(unnamed.name, QStringLiteral("text2"));
    EXPECT_EQ(unnamed.style.font.family, QStringLiteral("宋体"));
    EXPECT_EQ(unnamed.style.font.pointSize, 8);
    EXPECT_EQ(unnamed.style.alignment, Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(unnamed.style.frameSides, unsigned(FrameNone));
}

TEST(TemplateReader, FaultsNameTheLine)
{
    struct Case {
        const char* name;
        const char* text;
        const char* expected;   // part of the message
    };
    const Case cases[] = {
        {"not a template", "FRF\x01\x02 binary", "第 1 行：不是报表模板文件"},
        {"empty file", "", "第 1 行：不是报表模板文件"},
        {"newer version", "qelvan-report 2\n", "不支持的模板版本“2”"},
        {"unknown band", "qelvan-report 1\nband footer\n", "第 2 行：未知的区域类型“footer”"},
        {"band twice", "qelvan-report 1\nband title\nband title\n", "第 3 行：区域“title”重复"},
        {"text outside a band", "qelvan-report 1\nreport\ntext a\n", "第 3 行：对象必须放在区域之内"},
        {"data band without link", "qelvan-report 1\nband data\n  height 5\nband summary\n", "第 2 行：数据区域缺少数据连接"},
        {"object without rect", "qelvan-report 1\nband title\ntext a\n  content x\n", "第 3 行：对象“a”缺少位置"},
        {"bad number", "qelvan-report 1\nband title\n  height five\n", "第 3 行：“height”的值无效：five"},
        {"negative size", "qelvan-report 1\nband title\ntext a\n  rect 0 0 -1 5\n", "第 4 行：“rect”的值无效"},
        {"link on a title band", "qelvan-report 1\nband title\n  link x\n", "第 3 行：“link”不能用在这里"},
        {"unknown property", "qelvan-report 1\nband title\ntext a\n  colour red\n", "第 4 行：“colour”不能用在这里"},
        {"bad colour", "qelvan-report 1\nband title\ntext a\n  fill notacolour\n", "第 4 行：“fill”的值无效"},
        {"bad alignment", "qelvan-report 1\nband title\ntext a\n  align sideways\n", "第 4 行：“align”的值无效"},
        {"duplicate name", "qelvan-report 1\nband title\ntext a\n rect 0 0 1 1\ntext a\n", "第 5 行：对象名“a”重复"},
        {"margins eat the paper", "qelvan-report 1\nreport\n  paper 100 100\n  margins 50 0 50 0\n", "页边距超出了纸张"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            parseTemplate(QString::fromUtf8(c.text));
            ADD_FAILURE() << "no error";
        } catch (const ReportError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.expected))) << e.message().toStdString();
        }
    }
}

TEST(TemplateReader, DefaultTemplateHasTheSummaryLayout)
{
    const ReportTemplate t = readTemplateFile(qelvan::report::test::defaultTemplatePath());
    std::vector<BandKind> kinds;
    for (const Band& b : t.bands)
        kinds.push_back(b.kind);
    EXPECT_EQ(kinds, (std::vector<BandKind>{BandKind::Title, BandKind::ColumnHeader, BandKind::Data, BandKind::Summary,
                                            BandKind::PageFooter}));
    QStringList captions;
    for (const TextObject& o : t.band(BandKind::ColumnHeader)->objects)
        captions << o.content;
    EXPECT_EQ(captions, (QStringList{"商品代码", "商品名称", "单价", "数量（条）", "金额(含税)", "金额(不含税)", "税额"}));
    EXPECT_EQ(t.band(BandKind::Data)->dataLink, QStringLiteral("frDBDataSet1"));
}

} // namespace
