// Bad input and faults from every side of the plug-in: the host's parameters,
// the company table and its links, the sales data, the report template, the
// database connection and the export folder. Each gets a clear message or a
// sensible result, and the window stays usable.

#include "PluginDriver.h"

#include "export/TableExport.h"
#include "report/DataLink.h"
#include "report/Report.h"
#include "report/Variables.h"

#include <qelvan/backends.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <optional>

namespace {

using namespace qelvan::test;

void exec(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << (error ? error : "");
}

void writeBytes(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A host database whose companies carry quotes and every kind of bad link.
class OddCompanies : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        exec(path("vuq.db"),
             "CREATE TABLE XTTGSSZ0(GSDM00 VARCHAR(12), GSJC00 VARCHAR(30), ZBDM00 VARCHAR(12), SJZBDM VARCHAR(12),"
             " DBLINK VARCHAR(30));"
             "INSERT INTO XTTGSSZ0 VALUES"
             " ('13''5', 'O''Neil营销部', 'Z''1', 'Z''1', 'LNK1'),"
             " ('135021000001', '引号链接部', 'Z''1', 'Z''1', 'LN''K'),"
             " ('135021000002', '未知链接部', 'Z''1', 'Z''1', 'NOLINK'),"
             " ('135021000003', '空库部', 'Z''1', 'Z''1', 'EMPTY'),"
             " ('135021000004', '坏文件部', 'Z''1', 'Z''1', 'BADFILE'),"
             " ('135021000005', '文本数量部', 'Z''1', 'Z''1', 'TEXTNUM'),"
             " ('135021000006', '缺文件部', 'Z''1', 'Z''1', 'GONE');"
             "CREATE TABLE GSTJYGL1(SPDM00 VARCHAR(8), SPMC00 VARCHAR(30));"
             "INSERT INTO GSTJYGL1 VALUES ('11010101', '江州(硬)'), ('11010102', '江州(试销装)');"
             "CREATE TABLE DB_LINKS(DB_LINK VARCHAR(30), FILE_NAME VARCHAR(260));"
             "INSERT INTO DB_LINKS VALUES ('LNK1', 'lnk1.db'), ('EMPTY', 'empty.db'), ('BADFILE', 'bad.db'),"
             " ('TEXTNUM', 'textnum.db'), ('GONE', 'gone.db');");
        const char* priceView =
            "CREATE TABLE XSVGJFP0(SPDM00 VARCHAR(8), SL0000 REAL, DJIA00 REAL, GSDW00 VARCHAR(12),"
            " YWRY00 VARCHAR(8), CKRQ00 VARCHAR(19));";
        exec(path("lnk1.db"), priceView);
        exec(path("lnk1.db"),
             "INSERT INTO XSVGJFP0 VALUES ('11010101', 2, 100, '13''5', '1000', '2024-03-15 10:00:00'),"
             " ('11010102', 3, 50, '13''5', '1000', '2024-03-15 11:00:00'),"
             " ('11010102', -3, 50, '13''5', '1000', '2024-03-15 12:00:00');");
        exec(path("textnum.db"), priceView);
        exec(path("textnum.db"),
             "INSERT INTO XSVGJFP0 VALUES ('11010101', 'abc', 'x', '135021000005', '1000', '2024-03-15 10:00:00'),"
             " ('11010101', '12.5元', 100, '135021000005', '1000', '2024-03-15 11:00:00');");
        exec(path("empty.db"), "CREATE TABLE UNRELATED(X);");
        writeBytes(path("bad.db"), QByteArray("this is not a database file, only text").repeated(200));
        session.add("VUQ", qelvan::openEmbeddedDatabase(path("vuq.db").toStdString(), true));
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    qelvan::SimpleSession session;
};

TEST_F(OddCompanies, QuotesAndBadLinksGetAMessageAndTheWindowStaysOpen)
{
    struct Case {
        const char* company;
        const char* message;   // a fragment of the error box; null: no box
        int rows;              // rows of the summary after the click; -1: not checked
    };
    const Case cases[] = {
        {"O'Neil营销部", nullptr, 2},
        {"文本数量部", nullptr, 1},
        {"引号链接部", "“LN'K”无效", -1},
        {"未知链接部", "Unknown database link 'NOLINK'", -1},
        {"空库部", "no such table: @EMPTY.XSVGJFP0", -1},
        {"坏文件部", "Database link 'BADFILE'", -1},
        {"缺文件部", "Database link 'GONE'", -1},
    };
    PluginDriver driver;
    int listed = 0;
    ASSERT_TRUE(driver.call(session, parameters("13'5"), [&](TFm_Main& w, Tdm& data) {
        listed = w.cob_gsmc->count();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.company);
            driver.boxes.clear();
            ASSERT_TRUE(PluginDriver::query(w, QString::fromUtf8(c.company)));
            EXPECT_TRUE(w.isVisible());
            if (!c.message) {
                EXPECT_TRUE(driver.boxes.empty()) << driver.boxes.front().text.toStdString();
            } else {
                ASSERT_EQ(driver.boxes.size(), 1u);
                EXPECT_EQ(driver.boxes[0].icon, qelvan::app::MessageIcon::Error);
                EXPECT_TRUE(driver.boxes[0].text.contains(QString::fromUtf8(c.message)))
                    << driver.boxes[0].text.toStdString();
            }
            if (c.rows >= 0) {
                EXPECT_EQ(data.qry_xstgjfp1->recordCount(), c.rows);
            }
            if (QString::fromUtf8(c.company) == QStringLiteral("O'Neil营销部")) {
                // Sold and taken back: quantity 0, so no average price.
                data.qry_xstgjfp1->moveTo(1);
                EXPECT_EQ(data.qry_xstgjfp1->asString(QStringLiteral("SPDM00")), QStringLiteral("11010102"));
                EXPECT_EQ(data.qry_xstgjfp1->asFloat(QStringLiteral("SL0000")), 0.0);
                EXPECT_TRUE(data.qry_xstgjfp1->isNull(QStringLiteral("DJIA00")));
            }
            if (QString::fromUtf8(c.company) == QStringLiteral("文本数量部")) {
                // The database reads text as the number it starts with ('abc' is 0).
                EXPECT_EQ(data.qry_xstgjfp1->asFloat(QStringLiteral("SL0000")), 12.5);
            }
        }
    }));
    EXPECT_EQ(listed, 7);
}

TEST_F(OddCompanies, PrintAndExportFaultsAreReportedAndTheWindowStaysOpen)
{
    const WorkFolder work(QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf"));
    const QString templateFile = QDir(work.path()).filePath(QStringLiteral("vuq_xstgjfp1.frf"));
    const QString plainFile = path("a-file");
    writeBytes(plainFile, "x");
    struct Case {
        const char* name;
        std::optional<QByteArray> templateBytes;   // nothing: no template file
        QString saveAs;                            // empty: print instead of export
        const char* message;                       // the box's text contains this
    };
    const Case cases[] = {
        {"template missing", std::nullopt, {}, "没有调到报表文件(vuq_xstgjfp1.frf)！"},
        {"template empty", QByteArray(), {}, "不是报表模板文件"},
        {"template binary", QByteArray("\x89PNG\r\n\x1a\n\xff\xfe", 10), {}, "不是 UTF-8 文本"},
        {"export into a file", {}, plainFile + QStringLiteral("/out.xlsx"), "out.xlsx"},
        {"export where nothing can be made", {}, QStringLiteral("/proc/qelvan-export/out.csv"), "out.csv"},
    };
    PluginDriver driver;
    ASSERT_TRUE(driver.call(session, parameters("13'5"), [&](TFm_Main& w, Tdm& data) {
        ASSERT_TRUE(PluginDriver::query(w, QStringLiteral("O'Neil营销部")));
        ASSERT_EQ(data.qry_xstgjfp1->recordCount(), 2);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            driver.boxes.clear();
            if (c.saveAs.isEmpty()) {
                QFile::remove(templateFile);
                if (c.templateBytes)
                    writeBytes(templateFile, *c.templateBytes);
                w.SP_print->click();
            } else {
                driver.saveAs = c.saveAs;
                (c.saveAs.endsWith(QLatin1String(".csv")) ? w.exportCsvAction : w.exportExcelAction)->trigger();
            }
            EXPECT_TRUE(w.isVisible());
            ASSERT_EQ(driver.boxes.size(), 1u);
            EXPECT_TRUE(driver.boxes[0].text.contains(QString::fromUtf8(c.message)))
                << driver.boxes[0].text.toStdString();
        }
    }));
    EXPECT_EQ(driver.previews, 0);
    EXPECT_EQ(QFileInfo(plainFile).size(), 1);   // the file in the way is left alone
}

TEST_F(OddCompanies, MissingCompanyTableStillOpensTheWindow)
{
    exec(path("vuq.db"), "DROP TABLE XTTGSSZ0;");
    qelvan::SimpleSession fresh;   // the schema change must be seen
    fresh.add("VUQ", qelvan::openEmbeddedDatabase(path("vuq.db").toStdString(), true));
    PluginDriver driver;
    bool visible = false;
    std::vector<qelvan::app::MessageRequest> atShow;
    ASSERT_TRUE(driver.call(fresh, parameters("135021000000"), [&](TFm_Main& w, Tdm&) {
        visible = w.isVisible();
        atShow = driver.boxes;
        w.SB_locate->click();
    }));
    EXPECT_TRUE(visible);
    ASSERT_EQ(atShow.size(), 1u);
    EXPECT_EQ(atShow[0].text.toStdString(), "no such table: XTTGSSZ0.");
    ASSERT_EQ(driver.boxes.size(), 2u);
    EXPECT_EQ(driver.boxes[1].text.toStdString(), "请选择公司名称！");
}

TEST_F(OddCompanies, ParametersThatAreNotCodePage936StillRunTheWindow)
{
    qelvan::CountedStringArray array;
    array.appendCp936("\x81\xFF" "13\x80\xFE");   // no character starts with 0x81 0xFF
    for (int i = 1; i < 8; ++i)
        array.appendCp936("\xFF\xFF\xFF");
    for (const char* g : {"490", "780", "0", "0"})
        array.appendCp936(g);
    PluginDriver driver;
    QStringList list;
    ASSERT_TRUE(driver.call(session, array, [&](TFm_Main& w, Tdm&) {
        for (int i = 0; i < w.cob_gsmc->count(); ++i)
            list << w.cob_gsmc->itemText(i);
    }));
    EXPECT_EQ(list, QStringList{QString()});   // an unknown code: one empty item
    EXPECT_TRUE(driver.boxes.empty());
    EXPECT_TRUE(dll_params.value(0).startsWith(QChar(0xFFFD))) << dll_params.value(0).toStdString();
    EXPECT_TRUE(dll_params.value(0).contains(QStringLiteral("13"))) << dll_params.value(0).toStdString();
}

TEST_F(OddCompanies, ExtremeGeometryStillShowsAndClosesTheWindow)
{
    struct Case {
        const char* height;
        const char* width;
        const char* top;
        const char* left;
    };
    const Case cases[] = {
        {"2147483647", "2147483647", "-2147483648", "-2147483648"},
        {"0", "0", "2147483647", "2147483647"},
        {"-40", "-100", "-7", "-9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.height) + " " + c.width + " " + c.top + " " + c.left);
        PluginDriver driver;
        QSize size;
        ASSERT_TRUE(driver.call(session, parameters("13'5", c.height, c.width, c.top, c.left),
                                [&](TFm_Main& w, Tdm&) { size = w.size(); }));
        EXPECT_GE(size.width(), 0);
        EXPECT_LE(size.width(), QWIDGETSIZE_MAX);
        EXPECT_LE(size.height(), QWIDGETSIZE_MAX);
        EXPECT_EQ(Fm_Main, nullptr);
        EXPECT_TRUE(driver.boxes.empty());
    }
}

TEST(LostConnection, HostClosingItsConnectionGivesAClearErrorAndTheWindowStaysOpen)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("vuq.db"));
    exec(file, "CREATE TABLE XTTGSSZ0(GSDM00, GSJC00, ZBDM00, SJZBDM, DBLINK);"
               "INSERT INTO XTTGSSZ0 VALUES ('A1', '甲公司', 'Z1', NULL, 'LNK1');");
    const QString name = QStringLiteral("robustness-lost");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
    }
    qelvan::SimpleSession session;
    session.add("VUQ", qelvan::wrapQtSqlConnection(name.toStdString()));

    PluginDriver driver;
    QString listed;
    bool visible = false;
    ASSERT_TRUE(driver.call(session, parameters("A1"), [&](TFm_Main& w, Tdm&) {
        listed = w.cob_gsmc->currentText();
        QSqlDatabase::database(name, false).close();
        w.SB_locate->click();
        visible = w.isVisible();
    }));
    EXPECT_EQ(listed, QStringLiteral("甲公司"));
    EXPECT_TRUE(visible);
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].text.toStdString(), "No open database connection named 'robustness-lost'");
    QSqlDatabase::removeDatabase(name);
}

// The report template as the Print button loads it.
class Templates : public ::testing::Test {
protected:
    static QByteArray demoTemplate()
    {
        QFile f(QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(demoTemplate().isEmpty());
        qelvan::app::Application::instance().ensureGuiApplication();
        qelvan::app::setMessageHook([this](const qelvan::app::MessageRequest& r) { boxes.push_back(r); });
        rows.addRow({QStringLiteral("11010101"), QStringLiteral("江州(硬)"), 2.0, 234.0, 34.0, 100.0, 200.0});
    }
    void TearDown() override { qelvan::app::setMessageHook({}); }

    QTemporaryDir dir;
    std::vector<qelvan::app::MessageRequest> boxes;
    qelvan::report::TableDataLink rows{QStringLiteral("frDBDataSet1"),
                                       {"SPDM00", "SPMC00", "SL0000", "JE0000", "SE0000", "DJIA00", "BHSJE0"}};
};

TEST_F(Templates, BadTemplatesAreReportedAndNothingIsPrepared)
{
    const QByteArray good = demoTemplate();
    QByteArray huge = good;
    huge.insert(good.indexOf('\n') + 1, QByteArray("# filler line of a very large template file\n").repeated(100000));
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes;   // nothing: no file at all
        bool loads;                        // loadFromFile's answer
        const char* message;               // fragment of the engine's box; null: none
        bool pages;                        // whether preparing gives pages
    };
    const Case cases[] = {
        {"missing", std::nullopt, false, nullptr, false},
        {"empty", QByteArray(), true, "不是报表模板文件", false},
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\xff\xfe", 18), true, "不是 UTF-8 文本", false},
        {"NUL bytes", QByteArray("qelvan-report 1\n\0\0\0", 19), true, "第 2 行", false},
        {"truncated at a line", good.left(good.indexOf("text name")) + "text name\n", true, "缺少位置", false},
        {"huge", huge, true, nullptr, true},
        {"expression error", QByteArray(good).replace("[gsmc]", "[gsmc2]"), true, "未知的变量“gsmc2”", false},
        {"unknown field", QByteArray(good).replace("\"SPMC00\"", "\"SPMC01\""), true, "没有字段“SPMC01”", false},
    };
    qelvan::report::setVariable(QStringLiteral("gsmc"), QStringLiteral("甲"));
    for (const char* v : {"cxrq", "SLHJ", "JEHJ", "SEHJ", "BHSJEHJ"})
        qelvan::report::setVariable(QString::fromLatin1(v), 0.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        const QString file = dir.filePath(QStringLiteral("vuq_xstgjfp1.frf"));
        QFile::remove(file);
        if (c.bytes)
            writeBytes(file, *c.bytes);
        qelvan::report::Report report(QStringLiteral("frReport"));
        report.addDataLink(&rows);
        EXPECT_EQ(report.loadFromFile(file), c.loads);
        const bool prepared = report.prepare();
        EXPECT_EQ(prepared, c.pages);
        if (c.message) {
            ASSERT_FALSE(boxes.empty());
            EXPECT_TRUE(boxes[0].text.contains(QString::fromUtf8(c.message))) << boxes[0].text.toStdString();
        } else {
            EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
        }
    }
}

TEST_F(Templates, TemplateCutInsideACharacterIsRefused)
{
    const QByteArray good = demoTemplate();
    const QString file = dir.filePath(QStringLiteral("vuq_xstgjfp1.frf"));
    writeBytes(file, good.left(good.indexOf("商品名称") + 1));   // ends with the first byte of 商
    qelvan::report::Report report(QStringLiteral("frReport"));
    report.addDataLink(&rows);
    EXPECT_TRUE(report.loadFromFile(file));
    EXPECT_FALSE(report.prepare());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("不是 UTF-8 文本"))) << boxes[0].text.toStdString();
}

TEST(ExportFolder, UnwritableTargetsFailWithTheFileNamedAndLeaveNothing)
{
    QTemporaryDir dir;
    const QString plainFile = dir.filePath(QStringLiteral("a-file"));
    writeBytes(plainFile, "x");
    qelvan::exporting::TableSnapshot table;
    table.company = QStringLiteral("甲");
    qelvan::exporting::ExportColumn code;
    code.caption = QStringLiteral("商品代码");
    table.columns.push_back(code);
    table.rows.push_back({QStringLiteral("11010101")});
    const QString targets[] = {
        plainFile + QStringLiteral("/out"),                          // folder is a file
        dir.filePath(QStringLiteral("no/such/folder/out")),         // folder missing
        QStringLiteral("/proc/qelvan-export/out"),                  // no files can be made there, even by root
        dir.path(),                                                 // the target is a folder
    };
    const auto before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& target : targets) {
        for (const char* extension : {".csv", ".xlsx"}) {
            const QString path = target == dir.path() ? target : target + QString::fromLatin1(extension);
            SCOPED_TRACE(path.toStdString());
            try {
                if (QByteArray(extension) == ".csv")
                    qelvan::exporting::writeCsv(table, path);
                else
                    qelvan::exporting::writeXlsx(table, path);
                ADD_FAILURE() << "written";
            } catch (const qelvan::exporting::ExportError& e) {
                EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
            }
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

} // namespace
