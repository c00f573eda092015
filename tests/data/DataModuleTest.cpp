#include "RecordingDatabase.h"

#include "CommonFunc.h"
#include "qelvan_dm.h"

#include "app/MessageBox.h"
#include "db/Query.h"

#include <gtest/gtest.h>

using qelvan::db::FieldType;
using qelvan::test::RecordingDatabase;
using qelvan::test::summaryRows;
using qelvan::test::textRows;

namespace {

class DataModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto db = std::make_unique<RecordingDatabase>();
        vuq = db.get();
        session.add("VUQ", std::move(db));
        qelvan::db::setDefaultSession(&session);
    }
    void TearDown() override { qelvan::db::setDefaultSession(nullptr); }

    qelvan::SimpleSession session;
    RecordingDatabase* vuq = nullptr;
    Tdm data;
};

TEST_F(DataModuleTest, SummaryQueryDeclaresTheSummaryRowFieldsInOrder)
{
    struct Expected {
        const char* component;
        const char* column;
        FieldType type;
        int size;
    };
    const Expected expected[] = {
        {"qry_xstgjfp1SPDM00", "SPDM00", FieldType::String, 8}, {"qry_xstgjfp1SL0000", "SL0000", FieldType::Float, 0},
        {"qry_xstgjfp1JE0000", "JE0000", FieldType::Float, 0},  {"qry_xstgjfp1SE0000", "SE0000", FieldType::Float, 0},
        {"qry_xstgjfp1SPMC00", "SPMC00", FieldType::String, 30}, {"qry_xstgjfp1DJIA00", "DJIA00", FieldType::Float, 0},
        {"qry_xstgjfp1BHSJE0", "BHSJE0", FieldType::Float, 0},
    };
    const auto& defs = data.qry_xstgjfp1->fieldDefs();
    ASSERT_EQ(defs.size(), std::size(expected));
    for (size_t i = 0; i < defs.size(); ++i) {
        SCOPED_TRACE(expected[i].component);
        EXPECT_EQ(defs[i].componentName, QLatin1String(expected[i].component));
        EXPECT_EQ(defs[i].columnName, QLatin1String(expected[i].column));
        EXPECT_EQ(defs[i].type, expected[i].type);
        EXPECT_EQ(defs[i].size, expected[i].size);
    }
    EXPECT_TRUE(data.qry_temp->fieldDefs().empty());
    EXPECT_FALSE(data.qry_xstgjfp1->active());
    EXPECT_EQ(data.qry_xstgjfp1->databaseName(), QLatin1String("VUQ"));
    EXPECT_EQ(data.qry_temp->databaseName(), QLatin1String("VUQ"));
    EXPECT_EQ(data.ds_xstgjfp1->dataSet(), data.qry_xstgjfp1);
}

TEST_F(DataModuleTest, OpenQueryReplacesTheResultOfAnOpenQuery)
{
    vuq->answer("FIRST", textRows({"GSJC00"}, {{std::string("甲")}, {std::string("乙")}}));
    vuq->answer("SECOND", textRows({"GSJC00"}, {{std::string("丙")}}));

    OpenQuery(*data.qry_temp, QStringLiteral("SELECT FIRST"));
    ASSERT_EQ(data.qry_temp->recordCount(), 2);
    OpenQuery(*data.qry_temp, QStringLiteral("SELECT SECOND"));

    EXPECT_EQ(data.qry_temp->sql(), QStringList{QStringLiteral("SELECT SECOND")});
    EXPECT_EQ(data.qry_temp->recordCount(), 1);
    EXPECT_EQ(data.qry_temp->asString(QStringLiteral("GSJC00")), QStringLiteral("丙"));
    EXPECT_EQ(vuq->statements, (std::vector<std::string>{"SELECT FIRST", "SELECT SECOND"}));
}

TEST_F(DataModuleTest, FailedOpenLeavesTheQueryClosedWithTheNewStatement)
{
    vuq->answer("GOOD", textRows({"GSJC00"}, {{std::string("甲")}}));
    vuq->fail("BAD", "ORA-00942: table or view does not exist");
    OpenQuery(*data.qry_temp, QStringLiteral("SELECT GOOD"));

    EXPECT_THROW(OpenQuery(*data.qry_temp, QStringLiteral("SELECT BAD")), qelvan::DatabaseError);
    EXPECT_FALSE(data.qry_temp->active());
    EXPECT_EQ(data.qry_temp->sql(), QStringList{QStringLiteral("SELECT BAD")});
}

TEST_F(DataModuleTest, SummaryWithoutNetAmountFailsWithFieldNotFound)
{
    vuq->answer("SUMMARY", summaryRows({{"10000001", 2, 234, 34, 117.0, 200, "甲烟"}}, /*withNet=*/false));
    try {
        OpenQuery(*data.qry_xstgjfp1, QStringLiteral("SELECT SUMMARY"));
        FAIL() << "the open should fail";
    } catch (const qelvan::DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'BHSJE0' not found");
    }
    EXPECT_FALSE(data.qry_xstgjfp1->active());
    EXPECT_EQ(data.qry_xstgjfp1->recordCount(), 0);
}

TEST(MsgInfo, ShowsEveryLineInOneInformationBox)
{
    std::vector<qelvan::app::MessageRequest> shown;
    qelvan::app::setMessageHook([&](const qelvan::app::MessageRequest& r) { shown.push_back(r); });
    MsgInfo(QStringLiteral("第一行\n第二行\n第三行"));
    qelvan::app::setMessageHook({});

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("系统提示"));
    EXPECT_EQ(shown[0].text, QStringLiteral("第一行\n第二行\n第三行"));
    EXPECT_EQ(shown[0].icon, qelvan::app::MessageIcon::Information);
    EXPECT_EQ(shown[0].owner, nullptr);   // the host window
}

} // namespace
