#pragma once
// The fixed part of the demo data: companies, database links and products.
// The generator writes exactly these; tests and the benchmark pick their
// codes from here so that they never drift from what is on disk.

#include <string_view>

namespace qelvan::demo {

/// One row of the company table. An empty view is written as NULL.
struct DemoCompany {
    std::string_view code;        ///< GSDM00
    std::string_view shortName;   ///< GSJC00
    std::string_view headOffice;  ///< ZBDM00: the head office the company reports to
    std::string_view attachedTo;  ///< SJZBDM: the head office whose list shows it
    std::string_view link;        ///< DBLINK
    double volume;                ///< share of a full company's daily sales rows
};

struct DemoLink {
    std::string_view name;        ///< DB_LINK, as in the company table
    std::string_view fileName;    ///< next to the host database
};

struct DemoProduct {
    std::string_view code;        ///< SPDM00, 8 characters
    std::string_view name;        ///< SPMC00; empty: the product has no name row
    double cartonPrice;           ///< price of one carton (条) including tax, in a base year
    int weight;                   ///< how often it appears on a sales line, relative
};

inline constexpr DemoCompany kDemoCompanies[] = {
    // Head office Z1 and the companies attached to it, in the order the
    // company list shows them.
    {"135021000000", "江州市公司",       "Z1", "Z1", "LNK1", 1.0},
    {"135021020000", "江州城区营销部",   "Z1", "Z1", "LNK1", 1.0},
    {"135021230000", "江州开发区营销部", "Z1", "Z1", "LNK1", 1.0},
    {"135021030000", "青溪县营销部",     "Z1", "Z1", "LNK2", 1.0},
    {"135021040000", "白沙县营销部",     "Z1", "Z1", "LNK2", 1.0},
    {"135021050000", "石门县营销部",     "Z1", "Z1", "LNK2", 1.0},
    {"135021060000", "云台县营销部",     "Z1", "Z1", "",     0.0},
    // A company of its own head office Z3, to which nobody is attached.
    {"135031000000", "松岭市公司",       "Z3", "",   "LNK3", 0.5},
};

inline constexpr DemoLink kDemoLinks[] = {
    {"LNK1", "LNK1.db"},
    {"LNK2", "LNK2.db"},
    {"LNK3", "LNK3.db"},
};

/// Sales lines also carry company codes that the company table does not hold.
inline constexpr std::string_view kUnknownCompanyCode = "135099000000";

inline constexpr DemoProduct kDemoProducts[] = {
    {"11010101", "翠峰(硬盒)",       100.0, 60},
    {"11010102", "翠峰(软盒)",        80.0, 55},
    {"11010103", "翠峰(细支)",       180.0, 25},
    {"11020101", "凌云(硬红)",       130.0, 50},
    {"11020102", "凌云(软蓝)",       110.0, 40},
    {"11020103", "凌云(中支精品)",   260.0, 18},
    {"11030101", "望江楼(硬盒)",     150.0, 45},
    {"11030102", "望江楼(金装)",     300.0, 20},
    {"11030103", "望江楼(细支典藏)", 450.0, 10},
    {"11040101", "锦屏(软盒)",        70.0, 50},
    {"11040102", "锦屏(硬盒)",        90.0, 45},
    {"11050101", "丹霞(红)",         230.0, 22},
    {"11050102", "丹霞(细支)",       350.0, 12},
    {"11060101", "碧溪(硬盒)",       120.0, 35},
    {"11060102", "碧溪(爆珠)",       200.0, 15},
    {"11070101", "松鹤(精品)",       400.0, 12},
    {"11070102", "松鹤(长寿)",       650.0,  6},
    {"11080101", "远山(软包)",        60.0, 40},
    {"11080102", "远山(硬包)",        75.0, 35},
    {"11090101", "星河(中支)",       280.0, 16},
    {"11090102", "星河(细支)",       320.0, 14},
    {"11100101", "秋枫(硬盒)",       140.0, 30},
    {"11110101", "明湖(金典)",       500.0,  8},
    {"11110102", "明湖(礼盒)",      1000.0,  3},
    {"11120101", "瑞雪(冰爽)",       190.0, 18},
    {"11130101", "晨曦(软盒)",        85.0, 30},
    {"11140101", "云岭(典藏版)",     800.0,  4},
    {"12010101", "雪茄(五支装)",     250.0,  5},
    // Only ever sold on one day, once and taken back: its quantities cancel.
    {"10980001", "江州(试销装)",     160.0,  0},
    // Sold, but missing from the product table: summaries leave it out.
    {"10990001", "",                  95.0,  4},
};

/// A sale taken back on the same day (the day before the end date), of the
/// product kCancellingProductCode: the company's quantities for that product
/// sum to zero in every range holding that day.
struct DemoCancellingSale {
    std::string_view link;
    std::string_view company;
    double quantity;
};

inline constexpr DemoCancellingSale kCancellingSales[] = {
    {"LNK1", "135021020000", 6.0},   // read through the amount view
    {"LNK2", "135021030000", 4.0},   // read through the unit-price view
};

inline constexpr std::string_view kDefaultCompanyCode = "135021000000";
inline constexpr std::string_view kLoneCompanyCode = "135031000000";
inline constexpr std::string_view kUnlinkedCompanyCode = "135021060000";
inline constexpr std::string_view kCancellingProductCode = "10980001";
inline constexpr std::string_view kUnnamedProductCode = "10990001";

/// The codes whose sales are read from the view that stores amounts and tax
/// (XSVXSFP0); every other company's from the unit-price view (XSVGJFP0).
inline constexpr bool storesAmounts(std::string_view code)
{
    return code == "135021000000" || code == "135021020000" || code == "135021230000";
}

} // namespace qelvan::demo
