#include "SalesStatements.h"

#include <gtest/gtest.h>

using namespace qelvan::sales;

namespace {

TEST(SalesStatements, QuotesAreDoubledInsideQuotedValues)
{
    struct Case {
        const char* code;
        const char* expected;
    };
    const Case cases[] = {
        {"135021000000", "SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00='135021000000'"},
        {"A'1", "SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00='A''1'"},
        {"'' OR ''='", "SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00=''''' OR ''''='''"},
        {"", "SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00=''"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ownCompanyStatement(QString::fromUtf8(c.code)), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(companyLookupStatement(QStringLiteral("王'记")),
              QStringLiteral("SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='王''记'"));
    EXPECT_EQ(headOfficeProbeStatement(QStringLiteral("A1")),
              QStringLiteral("SELECT SJZBDM FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE "
                             "GSDM00='A1')"));
    EXPECT_EQ(attachedCompaniesStatement(QStringLiteral("A1")),
              QStringLiteral("SELECT GSJC00 FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE "
                             "GSDM00='A1')"));
}

TEST(SalesStatements, LinkNamesMustBePlainIdentifiers)
{
    struct Case {
        const char* link;
        bool plain;
    };
    const Case cases[] = {
        {"LNK1", true},        {"lnk_2$#", true},      {"SALES.EXAMPLE.COM", true}, {"", false},
        {"LNK1 A", false},     {"LNK1;DROP", false},   {"LNK'1", false},            {"LNK1--", false},
        {"链接", false},       {"LNK1@X", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        EXPECT_EQ(isPlainIdentifier(QString::fromUtf8(c.link)), c.plain);
    }
    EXPECT_THROW(summaryStatement(QStringLiteral("135021000000"), QStringLiteral("LNK1 A,X"), QDate(2004, 5, 12),
                                  QDate(2004, 5, 12)),
                 LinkNameError);
}

TEST(SalesStatements, StoredAmountCompaniesReadTheAmountView)
{
    const QString expected = QStringLiteral(
        "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(JE0000) JE0000,SUM(SE0000) SE0000, "
        "SUM(JE0000)/NULLIF(SUM(SL0000),0) DJIA00,SUM(JE0000)-SUM(SE0000) BHSJE0,B.SPMC00 FROM  NEW.XSVXSFP0@"
        "LNK1"
        " A,GSTJYGL1 B"
        " WHERE A.SPDM00=B.SPDM00"
        " AND A.GSDW00='"
        "135021020000"
        "' AND A.YWRY00='1000'"
        " AND TRUNC(A.YWRQ00)>=TO_DATE('"
        "2004-05-12"
        "','YYYY-MM-DD')"
        " AND TRUNC(A.YWRQ00)<=TO_DATE('"
        "2004-05-12"
        "','YYYY-MM-DD')"
        " GROUP BY A.SPDM00,B.SPMC00");
    EXPECT_EQ(summaryStatement(QStringLiteral("135021020000"), QStringLiteral("LNK1"), QDate(2004, 5, 12),
                               QDate(2004, 5, 12)),
              expected);
    for (const char* code : {"135021000000", "135021020000", "135021230000"})
        EXPECT_TRUE(storesAmounts(QLatin1String(code))) << code;
}

TEST(SalesStatements, OtherCompaniesReadThePriceView)
{
    const QString expected = QStringLiteral(
        "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(SL0000*DJIA00*1.17) JE0000,SUM(SL0000*DJIA00*0.17) SE0000, "
        "SUM(SL0000*DJIA00*1.17)/NULLIF(SUM(SL0000),0) DJIA00,SUM(SL0000*DJIA00*1.17)-SUM(SL0000*DJIA00*0.17) "
        "BHSJE0,B.SPMC00 FROM  NEW.XSVGJFP0@"
        "LNK2"
        " A,GSTJYGL1 B"
        " WHERE A.SPDM00=B.SPDM00"
        " AND A.GSDW00='"
        "135021000001"
        "' AND A.YWRY00='1000'"
        " AND TRUNC(A.CKRQ00)>=TO_DATE('"
        "2003-12-01"
        "','YYYY-MM-DD')"
        " AND TRUNC(A.CKRQ00)<=TO_DATE('"
        "2004-01-31"
        "','YYYY-MM-DD')"
        " GROUP BY A.SPDM00,B.SPMC00");
    EXPECT_EQ(summaryStatement(QStringLiteral("135021000001"), QStringLiteral("LNK2"), QDate(2003, 12, 1),
                               QDate(2004, 1, 31)),
              expected);
    // Codes compare exactly: case and padding matter.
    for (const char* code : {"135021000001", " 135021000000", "135021000000 ", "A135021000000"})
        EXPECT_FALSE(storesAmounts(QLatin1String(code))) << code;
    EXPECT_TRUE(summaryStatement(QStringLiteral("13'5"), QStringLiteral("L"), QDate(2004, 1, 1), QDate(2004, 1, 1))
                    .contains(QStringLiteral("A.GSDW00='13''5'")));
}

} // namespace
