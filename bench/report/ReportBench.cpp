// A 20,000-row sales summary through the default template: preparation plus
// PDF export by the engine, against a bare QPdfWriter + QPainter loop that
// draws the same texts at the same positions in the same fonts, measured in
// the same run. Prints both times and their ratio (target: at most 1.5).
//
//   qelvan-bench-report [rows] [--keep DIR]   (--keep leaves the two PDFs there)

#include "format/FormatSettings.h"
#include "report/DataLink.h"
#include "report/PdfExport.h"
#include "report/Report.h"
#include "report/Variables.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>

using namespace qelvan;

namespace {

constexpr int kRepeats = 3;
constexpr int kResolution = 1200;
constexpr double kTextPaddingMm = 0.5;   // the engine keeps text this far off frame lines

double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::unique_ptr<report::TableDataLink> summaryRows(int rows)
{
    auto link = std::make_unique<report::TableDataLink>(
        QStringLiteral("frDBDataSet1"), QStringList{"SPDM00", "SPMC00", "SL0000", "JE0000", "SE0000", "DJIA00", "BHSJE0"});
    for (int i = 1; i <= rows; ++i) {
        const double price = (i % 500) * 1.37 + 10.5;
        const double quantity = (i % 97) * 2.5;
        const double amount = price * quantity;
        const double net = amount / 1.13;
        link->addRow({QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')), QStringLiteral("香烟商品%1号（条装）").arg(i),
                      quantity, amount, amount - net, price, net});
    }
    return link;
}

// The bare loop: every text of the prepared pages, drawn straight to a PDF.
struct Draw {
    QRectF rect;   // device pixels at kResolution
    int font = 0;
    int flags = 0;
    QString text;
};

struct BarePages {
    QSizeF paper;
    std::vector<QFont> fonts;
    std::vector<std::vector<Draw>> pages;
};

BarePages bareCopy(const report::PreparedReport& prepared)
{
    BarePages bare;
    bare.paper = prepared.page(0).paper;
    for (const report::ItemStyle& s : prepared.styles()) {
        QFont font(QStringLiteral("AR PL UMing CN"));
        font.setPointSizeF(s.font.pointSize);
        font.setBold(s.font.bold);
        bare.fonts.push_back(font);
    }
    const double scale = kResolution / 25.4;
    const double pad = kTextPaddingMm * scale;
    for (const report::PreparedPage& page : prepared.pages()) {
        std::vector<Draw> draws;
        for (const report::PreparedItem& item : page.items) {
            if (item.text.isEmpty())
                continue;
            const QRectF r(item.rect.x() * scale, item.rect.y() * scale, item.rect.width() * scale,
                           item.rect.height() * scale);
            draws.push_back({r.adjusted(pad, 0, -pad, 0), item.style, int(prepared.styleOf(item).alignment), item.text});
        }
        bare.pages.push_back(std::move(draws));
    }
    return bare;
}

void writeBare(const BarePages& bare, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(bare.paper, QPageSize::Millimeter), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter(&writer);
    for (size_t p = 0; p < bare.pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        for (const Draw& d : bare.pages[p]) {
            painter.setFont(bare.fonts[size_t(d.font)]);
            painter.drawText(d.rect, d.flags, d.text);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int rows = 20000;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--keep") && i + 1 < args.size())
            keep = args[++i];
        else
            rows = std::max(1, args[i].toInt());
    }

    format::FormatSettings settings;
    settings.currencyString = QStringLiteral("￥");
    format::overrideProcessSettings(&settings);

    QTemporaryDir tmp;
    const QString dir = keep.isEmpty() ? tmp.path() : keep;
    QDir().mkpath(dir);
    const QString enginePdf = dir + QStringLiteral("/engine.pdf");
    const QString barePdf = dir + QStringLiteral("/bare.pdf");

    auto link = summaryRows(rows);
    report::setVariable(QStringLiteral("gsmc"), QStringLiteral("演示烟草有限公司"));
    report::setVariable(QStringLiteral("cxrq"), QStringLiteral("2024-01-01  至  2024-01-31"));
    report::setVariable(QStringLiteral("SLHJ"), QStringLiteral(" 1200000.00"));
    report::setVariable(QStringLiteral("JEHJ"), QStringLiteral("123456789.01"));
    report::setVariable(QStringLiteral("SEHJ"), QStringLiteral("14203155.00"));
    report::setVariable(QStringLiteral("BHSJEHJ"), QStringLiteral("109253634.01"));
    report::Report report(QStringLiteral("frReportYKDJ"));
    report.addDataLink(link.get());
    if (!report.loadFromFile(QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf")) || !report.prepare()) {
        std::fprintf(stderr, "the default template did not prepare\n");
        return 1;
    }
    const BarePages bare = bareCopy(report.prepared());
    size_t texts = 0;
    for (const auto& page : bare.pages)
        texts += page.size();

    // Warm the font caches once for both, then take the best of a few runs,
    // alternating so neither side profits from running second.
    writeBare(bare, barePdf);
    report::exportPdf(report.prepared(), enginePdf);
    double engineBest = 1e9;
    double bareBest = 1e9;
    double prepareBest = 1e9;
    for (int r = 0; r < kRepeats; ++r) {
        double prepareTime = 0;
        const double engine = seconds([&] {
            prepareTime = seconds([&] { report.prepare(); });
            report::exportPdf(report.prepared(), enginePdf);
        });
        engineBest = std::min(engineBest, engine);
        prepareBest = std::min(prepareBest, prepareTime);
        bareBest = std::min(bareBest, seconds([&] { writeBare(bare, barePdf); }));
    }

    std::printf("rows %d, pages %d, texts %zu\n", rows, report.prepared().pageCount(), texts);
    std::printf("engine (prepare + PDF): %.3f s  (prepare alone %.3f s)  %lld bytes\n", engineBest, prepareBest,
                QFileInfo(enginePdf).size());
    std::printf("bare QPdfWriter loop:   %.3f s  %lld bytes\n", bareBest, QFileInfo(barePdf).size());
    std::printf("ratio engine / bare: %.2f (target <= 1.5)\n", engineBest / bareBest);
    return 0;
}
