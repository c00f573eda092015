#pragma once
// The sales summary window: date range, company list, the summary grid with
// its totals, and the Query, Print and Exit buttons.

#include <QDialog>

#include <memory>

class QComboBox;
class QFrame;
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

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyLook();

    std::unique_ptr<Ui::TFm_Main> ui;
    Tdm& m_dm;
};

/// The window while a showdll call runs; null otherwise.
extern TFm_Main* Fm_Main;
