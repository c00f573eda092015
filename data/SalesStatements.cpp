#include "SalesStatements.h"

#include <QStringList>

namespace qelvan::sales {

namespace {

QString isoDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

QString escapeQuotes(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

bool isPlainIdentifier(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (!isAsciiLetterOrDigit(c) && c != QLatin1Char('_') && c != QLatin1Char('$') && c != QLatin1Char('#') &&
            c != QLatin1Char('.'))
            return false;
    }
    return true;
}

QString headOfficeProbeStatement(const QString& companyCode)
{
    return QLatin1String("SELECT SJZBDM FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='") +
           escapeQuotes(companyCode) + QLatin1String("')");
}

QString attachedCompaniesStatement(const QString& companyCode)
{
    return QLatin1String("SELECT GSJC00 FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='") +
           escapeQuotes(companyCode) + QLatin1String("')");
}

QString ownCompanyStatement(const QString& companyCode)
{
    return QLatin1String("SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00='") + escapeQuotes(companyCode) +
           QLatin1String("'");
}

QString companyLookupStatement(const QString& shortName)
{
    return QLatin1String("SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='") + escapeQuotes(shortName) +
           QLatin1String("'");
}

bool storesAmounts(const QString& companyCode)
{
    return companyCode == QLatin1String("135021000000") || companyCode == QLatin1String("135021020000") ||
           companyCode == QLatin1String("135021230000");
}

QString summaryStatement(const QString& companyCode, const QString& link, const QDate& start, const QDate& end)
{
    if (!isPlainIdentifier(link))
        throw LinkNameError(QStringLiteral("公司的数据库链接名称“%1”无效，只能由字母、数字和 _ $ # . 组成")
                                .arg(link)
                                .toStdString());

    const bool amounts = storesAmounts(companyCode);
    // The average price divides by NULLIF(...) so a product whose sales and
    // returns cancel out shows an empty price instead of failing the summary.
    const QLatin1String head =
        amounts ? QLatin1String("SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(JE0000) JE0000,SUM(SE0000) SE0000, "
                                "SUM(JE0000)/NULLIF(SUM(SL0000),0) DJIA00,SUM(JE0000)-SUM(SE0000) BHSJE0,B.SPMC00 "
                                "FROM  NEW.XSVXSFP0@")
                : QLatin1String("SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(SL0000*DJIA00*1.17) JE0000,"
                                "SUM(SL0000*DJIA00*0.17) SE0000, SUM(SL0000*DJIA00*1.17)/NULLIF(SUM(SL0000),0) "
                                "DJIA00,SUM(SL0000*DJIA00*1.17)-SUM(SL0000*DJIA00*0.17) BHSJE0,B.SPMC00 "
                                "FROM  NEW.XSVGJFP0@");
    const QLatin1String dateColumn = amounts ? QLatin1String("YWRQ00") : QLatin1String("CKRQ00");

    return head + link + QLatin1String(" A,GSTJYGL1 B") + QLatin1String(" WHERE A.SPDM00=B.SPDM00") +
           QLatin1String(" AND A.GSDW00='") + escapeQuotes(companyCode) + QLatin1String("' AND A.YWRY00='1000'") +
           QLatin1String(" AND TRUNC(A.") + dateColumn + QLatin1String(")>=TO_DATE('") + isoDate(start) +
           QLatin1String("','YYYY-MM-DD')") + QLatin1String(" AND TRUNC(A.") + dateColumn +
           QLatin1String(")<=TO_DATE('") + isoDate(end) + QLatin1String("','YYYY-MM-DD')") +
           QLatin1String(" GROUP BY A.SPDM00,B.SPMC00");
}

} // namespace qelvan::sales
