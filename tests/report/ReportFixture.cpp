#include "ReportFixture.h"

#include "format/FormatSettings.h"
#include "report/ReportHooks.h"
#include "report/Variables.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qelvan::report::test {

const QString kCompany = QStringLiteral("测试商贸有限公司");
const QString kAmountTotal = QStringLiteral("2468013.57");
const QString kTaxTotal = QStringLiteral("-3.20");

void pinEnvironment()
{
    static format::FormatSettings settings;
    settings.decimalSeparator = QLatin1Char('.');
    settings.thousandSeparator = QLatin1Char(',');
    settings.currencyString = QStringLiteral("￥");
    settings.shortDateFormat = QStringLiteral("yyyy-MM-dd");
    format::overrideProcessSettings(&settings);
    setClock(&pinnedNow);
}

QDateTime pinnedNow()
{
    return QDateTime(QDate(2024, 2, 3), QTime(9, 30, 0));
}

QString defaultTemplatePath()
{
    return QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf");
}

std::unique_ptr<TableDataLink> summaryLink(int rows, const QString& name)
{
    auto link = std::make_unique<TableDataLink>(
        name, QStringList{"SPDM00", "SPMC00", "SL0000", "JE0000", "SE0000", "DJIA00", "BHSJE0"});
    for (int i = 0; i < rows; ++i) {
        if (i == 0) {
            link->addRow({QStringLiteral("00000001"), QStringLiteral("红塔山（软）"), 1234.5, 15431.25, -1234.5, 12.5,
                          14196.75});
            continue;
        }
        const double quantity = i + 1;
        const double price = 10 + i % 7;
        const double amount = quantity * price;
        const double tax = std::round(amount * 13 / 113 * 100) / 100;
        link->addRow({QStringLiteral("%1").arg(i + 1, 8, 10, QLatin1Char('0')), QStringLiteral("商品%1").arg(i + 1),
                      quantity, amount, tax, price, amount - tax});
    }
    return link;
}

void setSummaryVariables()
{
    setVariable(QStringLiteral("gsmc"), kCompany);
    setVariable(QStringLiteral("cxrq"), QStringLiteral("2024-01-01  至  2024-01-31"));
    setVariable(QStringLiteral("SLHJ"), QStringLiteral(" 20100.00"));
    setVariable(QStringLiteral("JEHJ"), kAmountTotal);
    setVariable(QStringLiteral("SEHJ"), kTaxTotal);
    setVariable(QStringLiteral("BHSJEHJ"), QStringLiteral("2184082.81"));
}

QStringList textsOn(const PreparedPage& page, const QString& object)
{
    QStringList texts;
    for (const PreparedItem& item : page.items)
        if (item.object == object)
            texts << item.text;
    return texts;
}

QStringList textsOf(const PreparedReport& report, const QString& object)
{
    QStringList texts;
    for (const PreparedPage& page : report.pages())
        texts << textsOn(page, object);
    return texts;
}

MessageLog::MessageLog()
{
    app::setMessageHook([this](const app::MessageRequest& r) { m_boxes.push_back(r); });
}

MessageLog::~MessageLog()
{
    app::setMessageHook({});
}

PreviewLog::PreviewLog(std::function<void(PreviewWindow&)> then) : m_then(std::move(then))
{
    setPreviewHook([this](PreviewWindow& w) {
        ++m_shown;
        if (m_then)
            m_then(w);
    });
}

PreviewLog::~PreviewLog()
{
    setPreviewHook({});
}

TempDir::TempDir()
{
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    m_path = dir.path();
}

TempDir::~TempDir()
{
    QDir(m_path).removeRecursively();
}

QString TempDir::file(const QString& name) const
{
    return m_path + QLatin1Char('/') + name;
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

::testing::AssertionResult samePages(const PreparedReport& a, const PreparedReport& b)
{
    if (a.pageCount() != b.pageCount())
        return ::testing::AssertionFailure() << "page count " << a.pageCount() << " vs " << b.pageCount();
    for (int p = 0; p < a.pageCount(); ++p) {
        const auto& x = a.page(p);
        const auto& y = b.page(p);
        if (x.paper != y.paper || x.items.size() != y.items.size())
            return ::testing::AssertionFailure() << "page " << p + 1 << " differs in paper or item count";
        for (size_t i = 0; i < x.items.size(); ++i) {
            const PreparedItem& u = x.items[i];
            const PreparedItem& v = y.items[i];
            if (u.rect != v.rect || u.text != v.text || u.object != v.object || a.styleOf(u) != b.styleOf(v))
                return ::testing::AssertionFailure()
                    << "page " << p + 1 << " item " << i << ": " << u.text.toStdString() << " vs "
                    << v.text.toStdString();
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace qelvan::report::test
