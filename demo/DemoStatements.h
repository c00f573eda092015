#pragma once
// The summary statements exactly as the window sends them, for checking and
// timing the demo data through the database layer.

#include "DemoCatalog.h"

#include <string>
#include <string_view>

namespace qelvan::demo {

/// The per-product summary of `code` over [start, end] (texts 'YYYY-MM-DD')
/// read through `link`: the amount view for the three stored-amount codes,
/// the unit-price view for every other code.
inline std::string summaryStatement(std::string_view code, std::string_view link, std::string_view start,
                                    std::string_view end)
{
    const bool amounts = storesAmounts(code);
    std::string s;
    s += amounts ? "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(JE0000) JE0000,SUM(SE0000) SE0000,"
                   " SUM(JE0000)/NULLIF(SUM(SL0000),0) DJIA00,SUM(JE0000)-SUM(SE0000) BHSJE0,B.SPMC00"
                   " FROM  NEW.XSVXSFP0@"
                 : "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(SL0000*DJIA00*1.17) JE0000,"
                   "SUM(SL0000*DJIA00*0.17) SE0000, SUM(SL0000*DJIA00*1.17)/NULLIF(SUM(SL0000),0) DJIA00,"
                   "SUM(SL0000*DJIA00*1.17)-SUM(SL0000*DJIA00*0.17) BHSJE0,B.SPMC00 FROM  NEW.XSVGJFP0@";
    s += link;
    s += " A,GSTJYGL1 B";
    s += " WHERE A.SPDM00=B.SPDM00";
    s += " AND A.GSDW00='";
    s += code;
    s += "' AND A.YWRY00='1000'";
    s += amounts ? " AND TRUNC(A.YWRQ00)>=TO_DATE('" : " AND TRUNC(A.CKRQ00)>=TO_DATE('";
    s += start;
    s += "','YYYY-MM-DD')";
    s += amounts ? " AND TRUNC(A.YWRQ00)<=TO_DATE('" : " AND TRUNC(A.CKRQ00)<=TO_DATE('";
    s += end;
    s += "','YYYY-MM-DD')";
    s += " GROUP BY A.SPDM00,B.SPMC00";
    return s;
}

} // namespace qelvan::demo
