#pragma once
// Shared fixtures of the report tests: a summary data link like the sales
// window's, the default template, and recorders for the engine's seams.

#include "app/MessageBox.h"
#include "report/DataLink.h"
#include "report/PreparedReport.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include <ostream>

namespace qelvan::report {
class PreviewWindow;
}

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace qelvan::report::test {

/// Pins the number and date formats and the clock (3 February 2024, 09:30).
void pinEnvironment();
QDateTime pinnedNow();

/// The default template of the demo folder.
QString defaultTemplatePath();

/// Summary rows as the sales window links them: row 1 is a hand-picked row
/// (12.5, 1234.5, 15431.25, 14196.75, -1234.5), the rest follow a formula.
std::unique_ptr<TableDataLink> summaryLink(int rows, const QString& name = QStringLiteral("frDBDataSet1"));

/// The six variables the sales window sets.
void setSummaryVariables();
extern const QString kCompany;
extern const QString kAmountTotal;
extern const QString kTaxTotal;

/// Texts of the items that came from `object`, page by page in order.
QStringList textsOf(const PreparedReport& report, const QString& object);
/// Texts of the items that came from `object` on one page.
QStringList textsOn(const PreparedPage& page, const QString& object);

/// Records the message boxes shown while it lives.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    const std::vector<app::MessageRequest>& boxes() const { return m_boxes; }

private:
    std::vector<app::MessageRequest> m_boxes;
};

/// Counts previews while it lives and hands each to `then`.
class PreviewLog {
public:
    explicit PreviewLog(std::function<void(PreviewWindow&)> then = {});
    ~PreviewLog();
    int shown() const { return m_shown; }

private:
    int m_shown = 0;
    std::function<void(PreviewWindow&)> m_then;
};

/// A fresh temporary directory's path for output files, removed with it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    QString file(const QString& name) const;

private:
    QString m_path;
};

/// The text pdftotext extracts from a PDF (empty when it fails).
QString pdfText(const QString& path);

/// Items compared field by field, styles by value.
::testing::AssertionResult samePages(const PreparedReport& a, const PreparedReport& b);

} // namespace qelvan::report::test
