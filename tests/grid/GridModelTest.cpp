#include "GridFixture.h"

#include "grid/GridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace gridtest;
using qelvan::grid::GridModel;

namespace {

QStringList rowTexts(const GridModel& model)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

QStringList footerTexts(const GridModel& model)
{
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c)
        cells << model.footerText(c);
    return cells;
}

// Quantity total 12.5 and tax total -3.2, with NULLs in the third row.
std::vector<std::vector<Cell>> threeProducts()
{
    return {
        {txt("00000001"), txt("中华"), num(12.5), num(10), num(1234.5), num(1055.13), num(1231.3)},
        {txt("00000002"), txt("红塔山"), num(8), num(2.5), num(20), num(17.09), num(-1234.5)},
        {txt("00000003"), nul(), nul(), num(0), nul(), nul(), nul()},
    };
}

class GridModelTest : public SalesFixture {
protected:
    GridModelTest() : tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal)
    {
        for (const auto& spec : salesColumns())
            model.addColumn(spec);
        model.setDataSource(&source);
    }
    GridModel model;
    QAbstractItemModelTester tester;
};

TEST_F(GridModelTest, ShowsNoRowsBeforeTheQueryOpens)
{
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 7);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("单价"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(footerTexts(model).join(u'|'), QStringLiteral("||||||"));
}

TEST_F(GridModelTest, RowsShowFieldValuesInTheirColumnsFormats)
{
    open(threeProducts());
    EXPECT_EQ(rowTexts(model), (QStringList{
                                   "00000001|中华|￥12.500000|10|￥1,234.50|￥1,055.13|1,231.30",
                                   "00000002|红塔山|￥8.000000|2.5|￥20.00|￥17.09|-1,234.50",
                                   "00000003|||0|||",
                               }));
    // The raw value stays apart from its text.
    EXPECT_EQ(model.index(1, 6).data(GridModel::ValueRole).toDouble(), -1234.5);
    EXPECT_FALSE(model.index(2, 6).data(GridModel::ValueRole).isValid());
    EXPECT_EQ(model.index(0, 1).data(GridModel::ValueRole).toString(), QStringLiteral("中华"));
    EXPECT_EQ(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(GridModelTest, FootersFollowOpenCloseAndReopen)
{
    QSignalSpy changed(&model, &GridModel::footersChanged);
    open(threeProducts());
    EXPECT_EQ(footerTexts(model).join(u'|'), QStringLiteral("||| 12.50|1254.50|1072.22|-3.20"));
    EXPECT_EQ(model.footerText(QStringLiteral("dbg_xstgjfp2SL0000")), QStringLiteral(" 12.50"));
    EXPECT_EQ(model.footerText(QStringLiteral("SE0000")), QStringLiteral("-3.20"));

    query.close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(footerTexts(model).join(u'|'), QStringLiteral("||||||"));

    open({{txt("9"), txt("x"), num(1), num(-0.001), num(2.675), num(0), num(-0.004)}});
    EXPECT_EQ(footerTexts(model).join(u'|'), QStringLiteral("||| 0.00|2.68|0.00|0.00"));

    open({});
    EXPECT_EQ(footerTexts(model).join(u'|'), QStringLiteral("||| 0.00|0.00|0.00|0.00"));
    EXPECT_GE(changed.count(), 4);
}

// Two cells shown as "0" still add up to 0.80: the sum is of values, not texts.
TEST_F(GridModelTest, FootersSumRawValuesNotDisplayedTexts)
{
    model.column(QStringLiteral("SL0000"))->setDisplayFormat(QStringLiteral("0"));
    open({{txt("1"), txt("a"), num(1), num(0.4), num(0), num(0), num(0)},
          {txt("2"), txt("b"), num(1), num(0.4), num(0), num(0), num(0)}});
    EXPECT_EQ(model.index(0, 3).data().toString(), QStringLiteral("0"));
    EXPECT_EQ(model.footerText(QStringLiteral("SL0000")), QStringLiteral(" 0.80"));
}

TEST_F(GridModelTest, SortingReordersRowsInMemoryAndKeepsFooters)
{
    open({
        {txt("C"), txt("c"), num(1), num(5), num(1), num(1), num(1)},
        {txt("A"), txt("a"), num(1), num(2), num(2), num(2), num(2)},
        {txt("D"), txt("d"), num(1), nul(), num(3), num(3), num(3)},
        {txt("B"), txt("b"), num(1), num(5), num(4), num(4), num(4)},
    });
    const QStringList footers = footerTexts(model);
    struct Step {
        int column;
        std::vector<int> order;
    } steps[] = {
        {3, {2, 1, 0, 3}}, // quantity ascending: NULL first, ties in query order
        {3, {0, 3, 1, 2}}, // again: reversed, ties still in query order
        {0, {1, 3, 0, 2}}, // product code ascending
        {0, {2, 0, 3, 1}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.column);
        model.toggleSort(s.column);
        EXPECT_EQ(model.rowOrder(), s.order);
        EXPECT_EQ(rowTexts(model).first().section(u'|', 0, 0),
                  QString::fromStdString(std::get<std::string>(query.cell(s.order[0], 0))));
        EXPECT_EQ(footerTexts(model), footers);
    }
    // The sort is the grid's, not the query's: reopening keeps it.
    open({{txt("Y"), txt("y"), num(1), num(1), num(1), num(1), num(1)},
          {txt("X"), txt("x"), num(1), num(1), num(1), num(1), num(1)}});
    EXPECT_EQ(model.rowOrder(), (std::vector<int>{0, 1}));
    model.sort(-1);
    EXPECT_EQ(model.rowOrder(), (std::vector<int>{0, 1}));
    model.sort(0);
    EXPECT_EQ(model.rowOrder(), (std::vector<int>{1, 0}));
    EXPECT_EQ(model.viewRow(1), 0);
}

TEST_F(GridModelTest, FollowsTheQueryToTheFirstRowWithTheSameKey)
{
    model.setKeyFieldName(QStringLiteral("SL0000"));
    QSignalSpy follow(&model, &GridModel::followRow);
    open({
        {txt("A"), txt("a"), num(1), num(3), num(0), num(0), num(0)},
        {txt("B"), txt("b"), num(1), num(7), num(0), num(0), num(0)},
        {txt("C"), txt("c"), num(1), num(3), num(0), num(0), num(0)},
        {txt("D"), txt("d"), num(1), num(7), num(0), num(0), num(0)},
    });
    ASSERT_EQ(follow.count(), 1); // the query opens on its first row
    EXPECT_EQ(follow.takeLast().at(0).toInt(), 0);

    struct Case {
        bool sortedDescending;
        int queryRow;
        int viewRow;
    } cases[] = {
        {false, 2, 0}, // same quantity as row 0
        {false, 3, 1},
        {true, 0, 2},  // view order 1,3,0,2: the first 3 is row 0 at view row 2
        {true, 3, 0},  // the first 7 in view order is row 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queryRow);
        model.sort(c.sortedDescending ? 3 : -1, Qt::DescendingOrder);
        query.moveTo((c.queryRow + 1) % 4);
        query.moveTo(c.queryRow);
        ASSERT_GE(follow.count(), 1);
        EXPECT_EQ(follow.last().at(0).toInt(), c.viewRow);
    }

    // A move made by the grid itself is not echoed back.
    follow.clear();
    model.moveQueryTo(1);
    EXPECT_EQ(query.recNo(), 3);
    EXPECT_EQ(follow.count(), 0);

    // Without a key field the grid highlights the query's own row.
    model.setKeyFieldName(QString());
    model.sort(-1);
    query.moveTo(2);
    EXPECT_EQ(follow.last().at(0).toInt(), 2);
}

TEST_F(GridModelTest, LinkingAnOpenQueryShowsItAtOnceAndUnlinkingEmptiesTheGrid)
{
    open(threeProducts());
    query.moveTo(1);
    GridModel late;
    QAbstractItemModelTester lateTester(&late, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const auto& spec : salesColumns())
        late.addColumn(spec);
    QSignalSpy follow(&late, &GridModel::followRow);
    late.setDataSource(&source);
    EXPECT_EQ(rowTexts(late), rowTexts(model));
    EXPECT_EQ(late.footerText(QStringLiteral("SE0000")), QStringLiteral("-3.20"));
    ASSERT_EQ(follow.count(), 1);
    EXPECT_EQ(follow.at(0).at(0).toInt(), 1);

    source.setDataSet(nullptr);
    EXPECT_EQ(late.rowCount(), 0);
    EXPECT_EQ(late.footerText(QStringLiteral("SE0000")), QString());
}

TEST_F(GridModelTest, TabSeparatedTextHasTheHeaderAndTheShownTexts)
{
    open(threeProducts());
    model.toggleSort(3);
    EXPECT_EQ(model.tabSeparatedText({0, 2}),
              QStringLiteral("商品代码\t商品名称\t单价\t数量（条）\t金额(含税)\t金额(不含税)\t税额\n"
                             "00000003\t\t\t0\t\t\t\n"
                             "00000001\t中华\t￥12.500000\t10\t￥1,234.50\t￥1,055.13\t1,231.30\n"));
}

} // namespace
