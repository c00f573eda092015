// The plug-in never writes: a whole session over the embedded demo databases
// (list, summaries, print preparation, exports) leaves every file of the host
// database and of the link databases as it was, and link databases are opened
// read-only whatever the host does.

#include "DemoFiles.h"
#include "PluginDriver.h"

#include <qelvan/backends.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>

#include <fstream>

namespace {

using namespace qelvan::test;

// Access mode of every open descriptor of this process whose file name ends
// in `suffix`.
std::vector<int> openModes(const std::string& suffix)
{
    std::vector<int> modes;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (!target.endsWith(QString::fromStdString(suffix)))
            continue;
        std::ifstream info("/proc/self/fdinfo/" + fd.toStdString());
        std::string key;
        while (info >> key) {
            if (key == "flags:") {
                std::string octal;
                info >> octal;
                modes.push_back(int(std::stol(octal, nullptr, 8)) & O_ACCMODE);
                break;
            }
        }
    }
    return modes;
}

TEST(NeverWrites, FullSessionLeavesHostAndLinkDatabasesByteForByte)
{
    for (const bool hostOpensReadOnly : {false, true}) {
        SCOPED_TRACE(hostOpensReadOnly ? "host opens its database read-only" : "host opens it for writing");
        const auto demo = makeDemoFolder();
        const auto before = fingerprint(demo->path());
        ASSERT_EQ(before.size(), 4u);
        const WorkFolder work(QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf"));
        QTemporaryDir exports;

        int companies = 0;
        int rows = 0;
        PluginDriver driver;
        {
            qelvan::SimpleSession session;
            session.add("VUQ", qelvan::openEmbeddedDatabase(demo->filePath("vuq.db").toStdString(), hostOpensReadOnly));
            ASSERT_TRUE(driver.call(session, parameters("135021000000"), [&](TFm_Main& w, Tdm& data) {
                w.dtp_qssj->setDate(QDate(2021, 3, 16));
                w.dtp_zzsj->setDate(kDemoEndDate);
                for (int i = 0; i < w.cob_gsmc->count(); ++i) {
                    const QString company = w.cob_gsmc->itemText(i);
                    ASSERT_TRUE(PluginDriver::query(w, company));
                    ++companies;
                    rows += data.qry_xstgjfp1->recordCount();
                    w.SP_print->click();
                    driver.saveAs = exports.filePath(QStringLiteral("%1.xlsx").arg(i));
                    w.exportExcelAction->trigger();
                    driver.saveAs = exports.filePath(QStringLiteral("%1.csv").arg(i));
                    w.exportCsvAction->trigger();
                }
            }));
        }
        EXPECT_EQ(companies, 7);
        EXPECT_GT(rows, 100);
        EXPECT_EQ(driver.previews, companies);
        EXPECT_GE(driver.pages, companies);
        EXPECT_TRUE(driver.boxes.empty()) << driver.boxes.front().text.toStdString();
        // The company without a link leaves the previous summary in place, so
        // every company exports a workbook and a CSV file.
        EXPECT_EQ(QDir(exports.path()).entryList(QDir::Files).size(), 2 * companies);
        EXPECT_EQ(fingerprint(demo->path()), before);
    }
}

TEST(NeverWrites, LinkDatabasesAreOpenedReadOnlyEvenWhenTheHostWrites)
{
    const auto demo = makeDemoFolder();
    const auto before = fingerprint(demo->path());
    qelvan::SimpleSession session;
    session.add("VUQ", qelvan::openEmbeddedDatabase(demo->filePath("vuq.db").toStdString(), false));

    PluginDriver driver;
    int rows = 0;
    ASSERT_TRUE(driver.call(session, parameters("135021000000"), [&](TFm_Main& w, Tdm& data) {
        for (const QString& company : {QStringLiteral("江州市公司"), QStringLiteral("青溪县营销部")}) {
            ASSERT_TRUE(PluginDriver::query(w, company));
            rows += data.qry_xstgjfp1->recordCount();
        }
    }));
    EXPECT_GT(rows, 0);
    EXPECT_TRUE(driver.boxes.empty());

    // The host keeps its session: the links the window used are still attached.
    for (const char* link : {"/LNK1.db", "/LNK2.db"}) {
        SCOPED_TRACE(link);
        const auto modes = openModes(link);
        ASSERT_FALSE(modes.empty());
        for (int mode : modes)
            EXPECT_EQ(mode, O_RDONLY);
    }

    // Even a statement that asks to write cannot change a link database.
    qelvan::Database& vuq = session.database("VUQ");
    for (const char* statement : {"DELETE FROM NEW.XSVXSFP0@LNK1", "INSERT INTO XSVGJFP0@LNK2(SPDM00) VALUES('x')",
                                  "UPDATE NEW.XSVXSFP0@LNK3 SET SL0000=0"}) {
        SCOPED_TRACE(statement);
        try {
            vuq.execute(statement);
            ADD_FAILURE() << "the statement ran";
        } catch (const qelvan::DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find("readonly"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(fingerprint(demo->path()), before);
}

} // namespace
