#include "format/DateFormat.h"

#include <gtest/gtest.h>

using namespace qelvan::format;

namespace {

TEST(DateFormat, DayCountsRoundTrip)
{
    struct Case {
        QDateTime when;
        double value;
    } cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 2.0},
        {QDateTime(QDate(2004, 5, 11), QTime(15, 48, 21, 152)), 38118.6585781481},
        // Before the epoch the fraction still counts forward from midnight.
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.when.toString(Qt::ISODateWithMs).toStdString());
        EXPECT_NEAR(toDateTimeValue(c.when), c.value, 1e-9);
        EXPECT_EQ(fromDateTimeValue(c.value), c.when);
    }
}

TEST(DateFormat, ShortAndStatementForms)
{
    FormatSettings s;
    s.shortDateFormat = QStringLiteral("yyyy/M/d");
    EXPECT_EQ(formatShortDate(QDate(2004, 5, 1), s), QStringLiteral("2004/5/1"));
    s.shortDateFormat = QStringLiteral("M/d/yy");
    EXPECT_EQ(formatShortDate(QDate(2004, 5, 1), s), QStringLiteral("5/1/04"));
    EXPECT_EQ(isoDate(QDate(2004, 5, 1)), QStringLiteral("2004-05-01"));
}

} // namespace
