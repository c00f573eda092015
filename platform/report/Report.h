#pragma once
// The report component: a template loaded from a file, the data links it
// may bind to, preparation into pages and the modal preview.
//
//   Report report(QStringLiteral("frReportYKDJ"));
//   report.addDataLink(&link);                 // link named "frDBDataSet1"
//   if (!report.loadFromFile(path)) { /* no such file */ }
//   setVariable(QStringLiteral("gsmc"), company);
//   report.showReport();                       // prepare, then preview
//
// Errors the engine finds itself (an unreadable template, an error in an
// expression) are shown in the engine's own message box and the call goes
// on as far as it sensibly can; nothing here throws.

#include "PreparedReport.h"
#include "ReportTemplate.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace qelvan::report {

class DataLink;

class Report {
public:
    explicit Report(QString name = {});
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const QString& name() const { return m_name; }

    /// Owner of the preview and of the engine's message boxes; with none,
    /// the host window the application object is bound to.
    void setOwner(QWidget* owner);
    QWidget* owner() const;

    /// Links are found by name when the report is prepared; a link with the
    /// same name replaces the earlier one. Links are not owned and must stay
    /// alive while they are attached.
    void addDataLink(DataLink* link);
    void removeDataLink(DataLink* link);

    /// Loads a template file. Returns false only when the file does not
    /// exist. A file that exists but cannot be read is reported in the
    /// engine's message box, returns true, and leaves the report without a
    /// layout, so preparing it gives no page.
    bool loadFromFile(const QString& path);
    /// Replaces the layout directly (tests, generated reports).
    void setLayout(ReportTemplate layout);
    bool hasLayout() const { return m_layout.has_value(); }
    const ReportTemplate* layout() const { return m_layout ? &*m_layout : nullptr; }

    /// Lays out the pages over the data links, reading variables and the
    /// print date now. A data band walks its link from the first row to the
    /// last and leaves it on the last row. On an error in an expression the
    /// engine's message box names the object and the expression, and no page
    /// is kept. Returns whether any page was prepared.
    bool prepare();
    const PreparedReport& prepared() const { return m_prepared; }

    /// Shows the prepared pages in the modal preview and returns when it is
    /// closed; returns false without showing anything when there is no page.
    bool showPreparedReport();
    /// prepare(), then showPreparedReport() when a page was prepared.
    bool showReport();

private:
    DataLink* findLink(const QString& name) const;

    QString m_name;
    QPointer<QWidget> m_owner;
    std::vector<DataLink*> m_links;
    std::optional<ReportTemplate> m_layout;
    PreparedReport m_prepared;
};

} // namespace qelvan::report
