#include "GridFixture.h"

#include "grid/DataGrid.h"
#include "grid/GridFooter.h"
#include "grid/GridModel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace gridtest;
using qelvan::grid::DataGrid;
using qelvan::grid::GridColumn;

namespace {

class DataGridTest : public SalesFixture {
protected:
    DataGridTest() : tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal)
    {
        grid.setObjectName(QStringLiteral("dbg_xstgjfp2"));
        for (const auto& spec : salesColumns())
            grid.addColumn(spec);
        grid.setKeyFieldName(QStringLiteral("SL0000"));
        grid.setDataSource(&source);
        grid.resize(780, 300);
        grid.show();
    }

    void clickHeader(int section)
    {
        QHeaderView* header = grid.view()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    std::vector<std::vector<Cell>> fourProducts()
    {
        return {
            {txt("A"), txt("a"), num(1), num(3), num(1.5), num(1), num(0.25)},
            {txt("B"), txt("b"), num(2), num(7), num(2.5), num(2), num(0.5)},
            {txt("C"), txt("c"), num(3), num(3), num(3.5), num(3), num(0.75)},
            {txt("D"), txt("d"), num(4), num(1), num(4.5), num(4), num(1)},
        };
    }

    DataGrid grid;
    QAbstractItemModelTester tester;
};

TEST_F(DataGridTest, ColumnsAreNamedAndFoundByName)
{
    auto* column = grid.findChild<GridColumn*>(QStringLiteral("dbg_xstgjfp2SL0000"));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->fieldName(), QStringLiteral("SL0000"));
    EXPECT_EQ(grid.column(QStringLiteral("BHSJE0")), grid.findChild<GridColumn*>(QStringLiteral("dbg_xstgjfp2BHSJE0")));
    EXPECT_EQ(grid.view()->model()->rowCount(), 0);
}

// The sections fill the visible width exactly and share it as the declared
// widths do, at any grid width.
TEST_F(DataGridTest, ColumnsStretchToTheGridWidthInProportion)
{
    const int declared[] = {91, 112, 126, 101, 125, 112, 111};
    const int total = 778;
    for (int width : {780, 300, 1200}) {
        SCOPED_TRACE(width);
        grid.resize(width, 200);
        QApplication::processEvents();
        const QHeaderView* header = grid.view()->horizontalHeader();
        const int available = grid.view()->viewport()->width();
        int sum = 0;
        for (int c = 0; c < 7; ++c) {
            EXPECT_NEAR(header->sectionSize(c), double(declared[c]) * available / total, 1.0);
            sum += header->sectionSize(c);
        }
        EXPECT_EQ(sum, available);
    }
}

TEST_F(DataGridTest, HeaderClicksSortAndReverseWithoutTouchingFooters)
{
    open(fourProducts());
    const QString footer = grid.footerText(QStringLiteral("dbg_xstgjfp2JE0000"));
    EXPECT_EQ(footer, QStringLiteral("12.00"));

    clickHeader(3);
    EXPECT_EQ(grid.rowOrder(), (std::vector<int>{3, 0, 2, 1}));
    clickHeader(3);
    EXPECT_EQ(grid.rowOrder(), (std::vector<int>{1, 0, 2, 3}));
    EXPECT_EQ(grid.view()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    clickHeader(4);
    EXPECT_EQ(grid.rowOrder(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(grid.footerText(QStringLiteral("dbg_xstgjfp2JE0000")), footer);
    EXPECT_EQ(grid.footerText(QStringLiteral("dbg_xstgjfp2SL0000")), QStringLiteral(" 14.00"));
}

// A walk over the query to its end (as a report does) leaves the query on
// its last row and the grid on the first row sharing that row's quantity.
TEST_F(DataGridTest, FollowsAQueryWalkedElsewhere)
{
    open(fourProducts());
    EXPECT_EQ(grid.currentRow(), 0);
    clickHeader(0);
    clickHeader(0); // D C B A
    for (query.first(); !query.eof(); query.next()) {
        EXPECT_EQ(grid.model()->index(grid.currentRow(), 3).data(qelvan::grid::GridModel::ValueRole).toDouble(),
                  query.asFloat(QStringLiteral("SL0000")));
    }
    EXPECT_EQ(query.recNo(), 3);
    EXPECT_EQ(grid.currentRow(), 0);

    query.moveTo(0); // quantity 3: rows C and A, C shown first
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(query.recNo(), 0);
}

TEST_F(DataGridTest, SelectingARowMovesTheQuery)
{
    open(fourProducts());
    clickHeader(3); // D A C B
    grid.view()->selectRow(2);
    EXPECT_EQ(query.recNo(), 2);
    EXPECT_EQ(grid.currentRow(), 2);
}

TEST_F(DataGridTest, CopiesSelectedOrAllRowsWithTheHeader)
{
    open(fourProducts());
    const QString header = QStringLiteral("商品代码\t商品名称\t单价\t数量（条）\t金额(含税)\t金额(不含税)\t税额\n");
    const QString rowA = QStringLiteral("A\ta\t￥1.000000\t3\t￥1.50\t￥1.00\t0.25\n");
    const QString rowC = QStringLiteral("C\tc\t￥3.000000\t3\t￥3.50\t￥3.00\t0.75\n");

    grid.view()->setFocus();
    grid.view()->selectRow(2);
    grid.view()->selectionModel()->select(grid.model()->index(0, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(grid.view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), header + rowA + rowC);

    QAction exportAction(QStringLiteral("导出"));
    grid.addContextAction(&exportAction);
    const QList<QAction*> actions = grid.contextActions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions.last(), &exportAction);
    actions.at(1)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().count(u'\n'), 5);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(header + rowA));
}

TEST_F(DataGridTest, FooterRowShowsTheFooterTexts)
{
    open(fourProducts());
    QApplication::processEvents();
    EXPECT_GT(grid.footer()->height(), 0);
    EXPECT_EQ(grid.footer()->geometry().top(), grid.view()->geometry().bottom() + 1);
    query.close();
    EXPECT_EQ(grid.footerText(QStringLiteral("SE0000")), QString());
    EXPECT_EQ(grid.footerText(QStringLiteral("SPDM00")), QString());
}

} // namespace
