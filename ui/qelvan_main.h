#pragma once
// The sales summary window: date range, company list, the summary grid with
// its totals, and the Query, Print and Exit buttons. The grid's context menu
// and the window's shortcuts export the rows to a workbook or CSV and copy
// them.

#include "ShownSummary.h"
#include "SummaryDataLink.h"

#include "report/Report.h"

#include <QDialog>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QFrame;
class QKeySequence;
class QLabel;
class QStatusBar;
class QToolButton;
class Tdm;

namespace Ui {
class TFm_Main;
}

namespace qelvan::ui {
class DatePicker;
class SummaryGrid;
}

class TFm_Main : public QDialog {
    Q_OBJECT
public:
    /// Builds the declared component tree over the data module `data`, which
    /// must outlive the window. Borderless; the caller places it.
    explicit TFm_Main(Tdm& data, QWidget* owner = nullptr);
    ~TFm_Main() override;

    /// Geometry of the client area; the window has no frame, so these are
    /// the window's own size and screen position.
    void setClientHeight(int height);
    void setClientWidth(int width);
    void setTop(int top);
    void setLeft(int left);

    // The handlers. Errors propagate; the window's own event entry points
    // run them inside the standard error box's guard.
    void FormShow();
    void SB_locateClick();
    void SP_printClick();
    void Sb_ExitClick();

    // Export and copy of the rows shown, in the grid's order. Without rows
    // they only say so.
    void exportToExcel();
    void exportToCsv();
    void copySelectedRows();
    void copyAllRows();

    // The components, named as declared.
    QFrame* Panel2;
    QToolButton* SB_locate;
    QToolButton* SP_print;
    QToolButton* Sb_Exit;
    QStatusBar* StatusBar1;
    QFrame* Panel4;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    qelvan::ui::DatePicker* dtp_qssj;
    qelvan::ui::DatePicker* dtp_zzsj;
    QComboBox* cob_gsmc;
    QFrame* gjpanel;
    qelvan::ui::SummaryGrid* dbg_xstgjfp2;
    /// Owner left unset: the preview belongs to the bound host window.
    qelvan::report::Report frReportYKDJ;
    qelvan::ui::SummaryDataLink* frDBDataSet1;

    // Shortcuts of the window; the exports are also in the grid's menu.
    QAction* exportExcelAction;   ///< Ctrl+E
    QAction* exportCsvAction;     ///< Ctrl+Shift+E
    QAction* copySelectedAction;  ///< Ctrl+C
    QAction* copyAllAction;       ///< Ctrl+Shift+C

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class ExportFormat { Workbook, Csv };

    void applyLook();
    void setUpCommands();
    QAction* addCommand(const QString& text, const QKeySequence& key, void (TFm_Main::*handler)());
    void exportRows(ExportFormat format);
    bool hasRows() const;
    /// The query the grid shows; before any query, the current selection.
    qelvan::ui::ShownSummary shownSummary() const;

    std::unique_ptr<Ui::TFm_Main> ui;
    Tdm& m_dm;
    std::unique_ptr<qelvan::ui::SummaryDataLink> m_link;
    /// Set each time a summary query opens.
    std::optional<qelvan::ui::ShownSummary> m_shown;
};

/// The window while a showdll call runs; null otherwise.
extern TFm_Main* Fm_Main;
