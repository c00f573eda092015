#include "db/RemoteObjects.h"

#include <qelvan/session.h>

#include <gtest/gtest.h>

namespace {

using qelvan::db::rewriteRemoteObjects;

TEST(RemoteObjects, RewritesLinkedNamesOnlyOutsideLiteralsAndComments)
{
    struct Case {
        const char* statement;
        const char* expected;
        std::vector<std::string> links;
    } cases[] = {
        {"SELECT * FROM  NEW.XSVXSFP0@LNK1 A,GSTJYGL1 B", "SELECT * FROM  \"@LNK1\".XSVXSFP0 A,GSTJYGL1 B", {"LNK1"}},
        {"SELECT * FROM XSVXSFP0@lnk1", "SELECT * FROM \"@LNK1\".XSVXSFP0", {"LNK1"}},
        {"SELECT * FROM \"NEW\".\"T x\"@Lnk_2", "SELECT * FROM \"@LNK_2\".\"T x\"", {"LNK_2"}},
        {"SELECT 1 FROM NEW.A@L1 JOIN NEW.B@l1 ON 1 JOIN C@L2\n", "SELECT 1 FROM \"@L1\".A JOIN \"@L1\".B ON 1 JOIN \"@L2\".C\n",
         {"L1", "L2"}},
        {"SELECT 'it''s NEW.T@L1', \"a@b\" FROM T -- T@L2\n/* NEW.T@L3 */ WHERE X=@p",
         "SELECT 'it''s NEW.T@L1', \"a@b\" FROM T -- T@L2\n/* NEW.T@L3 */ WHERE X=@p", {}},
        {"SELECT @p", "SELECT @p", {}},
        {"SELECT 1.17*X FROM T@L1 WHERE Y='@'", "SELECT 1.17*X FROM \"@L1\".T WHERE Y='@'", {"L1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        const auto r = rewriteRemoteObjects(c.statement);
        EXPECT_EQ(r.statement, c.expected);
        EXPECT_EQ(r.links, c.links);
    }
}

TEST(RemoteObjects, RefusesLinkNamesThatAreNotPlainIdentifiers)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM T@LNK1.WORLD", "Database link name 'LNK1.WORLD' is not a plain identifier"},
        {"SELECT * FROM T@\"lnk\"", "Database link name '\"lnk\"' is not a plain identifier"},
        {"SELECT * FROM T@1LNK", "Database link name '1LNK' is not a plain identifier"},
        {"SELECT * FROM T@A@B", "Database link name 'A@B' is not a plain identifier"},
        {"SELECT * FROM NEW.T@ A", "Database link name missing after 'T@'"},
    };
    for (const auto& [statement, message] : cases) {
        SCOPED_TRACE(statement);
        try {
            rewriteRemoteObjects(statement);
            ADD_FAILURE() << "accepted";
        } catch (const qelvan::DatabaseError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

} // namespace
