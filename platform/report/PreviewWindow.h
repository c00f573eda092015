#pragma once
// The engine's preview: a modal window over the prepared pages with zoom,
// page navigation, open and save of prepared reports (or PDF), printing,
// find and a short help. Everything the toolbar does is also a public
// function, so tests drive the window without clicking.

#include "PreparedReport.h"
#include "PreviewZoom.h"
#include "ReportSearch.h"

#include <QDialog>

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace qelvan::report {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(PreparedReport report, QWidget* owner, const QString& title = {});
    ~PreviewWindow() override;

    const PreparedReport& report() const { return m_report; }
    int pageCount() const { return m_report.pageCount(); }
    int currentPage() const { return m_page; }   ///< 0-based
    void goToPage(int page);

    /// Opens at lastPreviewZoom(); every change here becomes the new last zoom.
    PreviewZoom zoom() const { return m_zoom; }
    void setZoom(PreviewZoom zoom);
    /// The zoom in percent as drawn (whole page and page width resolved).
    int effectivePercent() const;
    void zoomIn();
    void zoomOut();

    /// Highlights every item containing `text` and shows the first match on
    /// or after the current page. Returns the number of matches.
    int find(const QString& text);
    void findNext();
    void findPrevious();
    int matchCount() const { return int(m_matches.size()); }
    std::optional<TextMatch> currentMatch() const;

    /// Asks for a file; false when cancelled or failed (the failure is shown).
    bool openFile();
    bool saveFile();
    bool print();
    void showHelp();

    static QString helpText();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildUi();
    QAction* addAction(const QString& name, const QString& text, const QKeySequence& key = {});
    void applyZoom();
    void showPage();
    void showMatch();
    void updateMatchLabel();

    PreparedReport m_report;
    QString m_title;
    int m_page = 0;
    PreviewZoom m_zoom;
    std::vector<TextMatch> m_matches;
    int m_match = -1;
    QString m_needle;

    QScrollArea* m_scroll = nullptr;
    PageView* m_view = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pageTotal = nullptr;
    QWidget* m_findBar = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLabel* m_findResult = nullptr;
};

} // namespace qelvan::report
