#include "export/ExcelFormat.h"
#include "export/TableExport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

#include <cmath>
#include <limits>

using namespace qelvan::exporting;

namespace {

ExportColumn column(const char16_t* caption, ColumnKind kind, const char16_t* pattern = u"",
                    FooterKind footer = FooterKind::None, const char16_t* footerPattern = u"")
{
    ExportColumn c;
    c.caption = QString::fromUtf16(caption);
    c.kind = kind;
    c.displayPattern = QString::fromUtf16(pattern);
    c.footer = footer;
    c.footerPattern = QString::fromUtf16(footerPattern);
    return c;
}

// The sales summary as the grid shows it. Declared widths are left at zero
// so the sheet's widths come from the captions and the contents alone.
TableSnapshot summary()
{
    TableSnapshot s;
    s.title = QStringLiteral("销售汇总");
    s.company = QStringLiteral("红河/烟草公司");
    s.dateRange = QStringLiteral("2004-05-12  至  2004-05-13");
    s.columns = {
        column(u"商品代码", ColumnKind::Text),
        column(u"商品名称", ColumnKind::Text),
        column(u"单价", ColumnKind::Number, u"￥,0.000000;-￥,0.000000"),
        column(u"数量（条）", ColumnKind::Number, u"", FooterKind::Sum, u" 0.00"),
        column(u"金额(含税)", ColumnKind::Number, u"￥,0.00;-￥,0.00", FooterKind::Sum, u"0.00;-0.00"),
        column(u"金额(不含税)", ColumnKind::Number, u"￥,0.00;-￥,0.00", FooterKind::Sum, u"0.00;-0.00"),
        column(u"税额", ColumnKind::Number, u",0.00;-,0.00", FooterKind::Sum, u"0.00;-0.00"),
    };
    s.columns[0].footerText = QStringLiteral("合计");
    s.rows = {
        {QStringLiteral("10000001"), QStringLiteral("云烟（软珍品）"), 12.5, 120.0, 1500.0, 1282.05, 217.95},
        {QStringLiteral("10000002"), QStringLiteral("红河,\"硬\" 特制"), 0.1, 3.0, 0.3, 0.26, 0.04},
        {QStringLiteral("10000003"), QStringLiteral("退货"), 8.25, -2.0, -16.5, -14.1, -2.4},
        {QStringLiteral("10000004"), std::monostate{}, std::monostate{}, 1234567.0, 9876543.21, 8441489.92, 1435053.29},
    };
    return s;
}

double columnSum(const TableSnapshot& s, size_t column)
{
    double sum = 0;
    for (const ExportRow& row : s.rows)
        if (const double* v = std::get_if<double>(&row[column]))
            sum += *v;
    return sum;
}

// RFC 4180 records; fails the test on a bare quote inside an unquoted field.
std::vector<QStringList> parseCsv(const QString& text)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (ch == u'"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == u'"') {
            EXPECT_TRUE(field.isEmpty() && !wasQuoted) << "quote inside a field at " << i;
            quoted = wasQuoted = true;
        } else if (ch == u',') {
            record << field;
            field.clear();
            wasQuoted = false;
        } else if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records.push_back(record);
            record.clear();
            field.clear();
            wasQuoted = false;
            ++i;
        } else {
            EXPECT_NE(ch, u'\n') << "bare line feed outside quotes at " << i;
            field += ch;
        }
    }
    EXPECT_FALSE(quoted);
    EXPECT_TRUE(field.isEmpty() && record.isEmpty()) << "last line without CRLF";
    return records;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(CsvExport, RoundTripsTextAndNumbers)
{
    // A locale with a decimal comma must not leak into the file.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("汇总.csv"));
    // Replacing a longer file must not leave its tail behind.
    writeFile(path, QByteArray(100000, 'x'));

    TableSnapshot s = summary();
    s.rows.push_back({QStringLiteral("多行\r\n名称"), QStringLiteral(" 空格 "), 0.1 + 0.2, 1e20, 1e-7, -0.0,
                      std::numeric_limits<double>::quiet_NaN()});
    s.rows.push_back({QStringLiteral("short row")});
    writeCsv(s, path);
    QLocale::setDefault(QLocale::c());

    const QByteArray bytes = readAll(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto records = parseCsv(QString::fromUtf8(bytes.mid(3)));

    const std::vector<QStringList> expected = {
        {"商品代码", "商品名称", "单价", "数量（条）", "金额(含税)", "金额(不含税)", "税额"},
        {"10000001", "云烟（软珍品）", "12.5", "120", "1500", "1282.05", "217.95"},
        {"10000002", "红河,\"硬\" 特制", "0.1", "3", "0.3", "0.26", "0.04"},
        {"10000003", "退货", "8.25", "-2", "-16.5", "-14.1", "-2.4"},
        {"10000004", "", "", "1234567", "9876543.21", "8441489.92", "1435053.29"},
        {"多行\r\n名称", " 空格 ", "0.30000000000000004", "100000000000000000000", "0.0000001", "0", ""},
        {"short row", "", "", "", "", "", ""},
    };
    ASSERT_EQ(records.size(), expected.size());
    for (size_t r = 0; r < expected.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(records[r], expected[r]);
    }
    EXPECT_EQ(records[5][2].toDouble(), 0.1 + 0.2);
}

TEST(XlsxExport, ReadsBackRowsNumbersAndTotals)
{
    const QString xlsx2csv = QStandardPaths::findExecutable(QStringLiteral("xlsx2csv"));
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (xlsx2csv.isEmpty() || python.isEmpty())
        GTEST_SKIP() << "xlsx2csv or python3 is not installed";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("汇总.xlsx"));
    TableSnapshot s = summary();
    s.rows[3][0] = 10000004.0;   // a code that arrives as a number stays text
    writeXlsx(s, path);

    const QString text = run(xlsx2csv, {QStringLiteral("--all"), QStringLiteral("--ignore-formats"),
                                        QStringLiteral("float"), QStringLiteral("--lineterminator"),
                                        QStringLiteral("\\r\\n"), path});
    const qsizetype firstLineEnd = text.indexOf(QStringLiteral("\r\n"));
    EXPECT_EQ(text.left(firstLineEnd), QStringLiteral("-------- 1 - 红河_烟草公司"));
    const auto records = parseCsv(text.mid(firstLineEnd + 2));
    ASSERT_EQ(records.size(), 2 + s.rows.size() + 1);

    EXPECT_EQ(records[0].value(0), QStringLiteral("销售汇总  红河/烟草公司  2004-05-12  至  2004-05-13"));
    QStringList captions;
    for (const ExportColumn& c : s.columns)
        captions << c.caption;
    EXPECT_EQ(records[1], captions);

    for (size_t r = 0; r < s.rows.size(); ++r) {
        for (size_t c = 0; c < s.columns.size(); ++c) {
            SCOPED_TRACE(testing::Message() << "row " << r << " column " << c);
            const QString cell = records[2 + r].value(int(c));
            const CellValue& value = s.rows[r][c];
            if (const double* number = std::get_if<double>(&value)) {
                bool ok = false;
                EXPECT_DOUBLE_EQ(cell.toDouble(&ok), *number);
                EXPECT_TRUE(ok) << cell.toStdString();
            } else if (const QString* t = std::get_if<QString>(&value)) {
                EXPECT_EQ(cell, *t);
            } else {
                EXPECT_EQ(cell, QString());
            }
        }
    }

    const QStringList& totals = records.back();
    EXPECT_EQ(totals.value(0), QStringLiteral("合计"));
    EXPECT_EQ(totals.value(1), QString());
    EXPECT_EQ(totals.value(2), QString());
    for (size_t c = 3; c < s.columns.size(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_NEAR(totals.value(int(c)).toDouble(), columnSum(s, c), 1e-6);
    }

    // What the reader does not show: formulas, formats, frozen rows, widths.
    auto part = [&](const char* name) {
        return run(python, {QStringLiteral("-c"),
                            QStringLiteral("import sys,zipfile;sys.stdout.buffer.write("
                                           "zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))"),
                            path, QString::fromLatin1(name)});
    };
    const QString sheet = part("xl/worksheets/sheet1.xml");
    for (const char* formula : {"<f>SUM(D3:D6)</f>", "<f>SUM(E3:E6)</f>", "<f>SUM(F3:F6)</f>", "<f>SUM(G3:G6)</f>"})
        EXPECT_TRUE(sheet.contains(QLatin1String(formula))) << formula;
    EXPECT_TRUE(sheet.contains(QLatin1String("ySplit=\"2\"")) && sheet.contains(QLatin1String("state=\"frozen\"")));
    static const QRegularExpression codeAsText(QStringLiteral("<c r=\"A6\" s=\"\\d+\" t=\"s\">"));
    EXPECT_TRUE(codeAsText.match(sheet).hasMatch());

    const QString styles = part("xl/styles.xml");
    for (const char16_t* code : {u"￥#,##0.000000;-￥#,##0.000000", u"￥#,##0.00;-￥#,##0.00", u"#,##0.00;-#,##0.00",
                                 u"\" 0.00\"", u"\"0.00;-0.00\""}) {
        const QString expected = QString::fromUtf16(code);
        EXPECT_TRUE(styles.contains(expected)) << expected.toStdString();
    }

    static const QRegularExpression colWidth(QStringLiteral("<col min=\"(\\d+)\" max=\"\\d+\" width=\"([0-9.]+)\""));
    int seen = 0;
    for (auto it = colWidth.globalMatch(sheet); it.hasNext(); ++seen) {
        const auto m = it.next();
        const int c = m.captured(1).toInt() - 1;
        ASSERT_LT(c, int(s.columns.size()));
        const double width = m.captured(2).toDouble();
        SCOPED_TRACE(s.columns[c].caption.toStdString());
        EXPECT_GE(width, displayWidth(s.columns[c].caption) + 1);
        if (c == 1) {
            EXPECT_GE(width, displayWidth(u"云烟（软珍品）"));
        }
        if (c == 4) {
            EXPECT_GE(width, displayWidth(u"￥9,876,543.21"));
        }
    }
    EXPECT_EQ(seen, int(s.columns.size()));
}

TEST(TableExport, RefusesAnEmptyTableWithoutTouchingTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TableSnapshot s = summary();
    s.rows.clear();
    const QString fresh = dir.filePath(QStringLiteral("fresh.out"));
    const QString existing = dir.filePath(QStringLiteral("existing.out"));
    writeFile(existing, "old");

    for (auto write : {&writeXlsx, &writeCsv}) {
        for (const QString& path : {fresh, existing}) {
            try {
                write(s, path);
                ADD_FAILURE() << "no error for " << path.toStdString();
            } catch (const ExportError& e) {
                EXPECT_EQ(e.message(), QStringLiteral("无记录可供导出！"));
            }
        }
    }
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(readAll(existing), "old");
}

struct UnwritableCase {
    const char* name;
    QString path;
    QString keptFile;   // a file that must keep its content, if any
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void expectCleanFailures(const std::vector<UnwritableCase>& cases)
{
    for (const UnwritableCase& c : cases) {
        for (auto write : {&writeXlsx, &writeCsv}) {
            SCOPED_TRACE(c.name);
            try {
                write(summary(), c.path);
                ADD_FAILURE() << "no error";
            } catch (const ExportError& e) {
                EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(c.path))) << e.what();
                EXPECT_FALSE(e.reason().isEmpty());
            }
            if (c.keptFile.isEmpty())
                EXPECT_FALSE(QFileInfo(c.path).isFile());
            else
                EXPECT_EQ(readAll(c.keptFile), "old");
        }
    }
}

TEST(TableExport, UnwritableTargetsFailCleanly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("plain.txt")), "not a folder");
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    const QStringList before = entries(dir.path());

    expectCleanFailures({
        {"missing folder", dir.filePath(QStringLiteral("missing/out.file")), {}},
        {"file used as a folder", dir.filePath(QStringLiteral("plain.txt/out.file")), {}},
        {"folder as the target", dir.filePath(QStringLiteral("folder")), {}},
        {"file system without files", QStringLiteral("/proc/qelvan-export-test.out"), {}},
    });
    EXPECT_EQ(entries(dir.path()), before);
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("plain.txt"))), "not a folder");
}

TEST(TableExport, ReadOnlyFolderKeepsItsFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    writeFile(folder + QStringLiteral("/kept.out"), "old");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    struct Restore {
        QString folder;
        ~Restore() { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    } restore{folder};
    // Root writes through permission bits, so the case would prove nothing.
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        GTEST_SKIP() << "these rights ignore a read-only folder";

    const QStringList before = entries(folder);
    expectCleanFailures({
        {"new file", folder + QStringLiteral("/new.out"), {}},
        {"existing file", folder + QStringLiteral("/kept.out"), folder + QStringLiteral("/kept.out")},
    });
    EXPECT_EQ(entries(folder), before);
}

} // namespace
