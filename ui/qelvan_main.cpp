#include "qelvan_main.h"

#include "ButtonPictures.h"
#include "DatePicker.h"
#include "SaveFileDialog.h"
#include "SummaryGrid.h"
#include "SummarySnapshot.h"
#include "ui_qelvan_main.h"

#include "CommonFunc.h"
#include "SalesStatements.h"
#include "qelvan_dm.h"

#include "app/BusyCursor.h"
#include "app/Clock.h"
#include "app/ErrorBox.h"
#include "export/TableExport.h"
#include "report/Variables.h"
#include "style/FlatStyle.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

TFm_Main* Fm_Main = nullptr;

namespace {

const QColor panelColour(98, 151, 168);

// Made once per process. Icons made afresh for each window would be new
// pixmaps to the style, and its pixmap cache would keep a copy for every call.
const QIcon& printIcon()
{
    static const QIcon icon = qelvan::style::flatButtonIcon(qelvan::ui::printerPicture(), panelColour);
    return icon;
}

const QIcon& exitIcon()
{
    static const QIcon icon = qelvan::style::flatButtonIcon(qelvan::ui::openDoorPicture(), panelColour);
    return icon;
}

QString currentText(const qelvan::db::Query& query, const char* field)
{
    return query.eof() ? QString() : query.asString(QString::fromLatin1(field));
}

} // namespace

TFm_Main::TFm_Main(Tdm& data, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      frReportYKDJ(QStringLiteral("frReportYKDJ")),
      ui(std::make_unique<Ui::TFm_Main>()),
      m_dm(data)
{
    ui->setupUi(this);
    Panel2 = ui->Panel2;
    SB_locate = ui->SB_locate;
    SP_print = ui->SP_print;
    Sb_Exit = ui->Sb_Exit;
    StatusBar1 = ui->StatusBar1;
    Panel4 = ui->Panel4;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label3 = ui->Label3;
    dtp_qssj = ui->dtp_qssj;
    dtp_zzsj = ui->dtp_zzsj;
    cob_gsmc = ui->cob_gsmc;
    gjpanel = ui->gjpanel;
    dbg_xstgjfp2 = ui->dbg_xstgjfp2;

    dbg_xstgjfp2->setDataSource(m_dm.ds_xstgjfp1);
    applyLook();

    m_link = std::make_unique<qelvan::ui::SummaryDataLink>(QStringLiteral("frDBDataSet1"), *m_dm.qry_xstgjfp1,
                                                           *dbg_xstgjfp2);
    frDBDataSet1 = m_link.get();
    frReportYKDJ.addDataLink(frDBDataSet1);
    setUpCommands();

    using qelvan::app::guarded;
    connect(SB_locate, &QToolButton::clicked, this, [this] { guarded([this] { SB_locateClick(); }); });
    connect(SP_print, &QToolButton::clicked, this, [this] { guarded([this] { SP_printClick(); }); });
    connect(Sb_Exit, &QToolButton::clicked, this, [this] { guarded([this] { Sb_ExitClick(); }); });
}

TFm_Main::~TFm_Main()
{
    frReportYKDJ.removeDataLink(frDBDataSet1);
}

QAction* TFm_Main::addCommand(const QString& text, const QKeySequence& key, void (TFm_Main::*handler)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this,
            [this, handler] { qelvan::app::guarded([this, handler] { (this->*handler)(); }); });
    addAction(action);
    return action;
}

void TFm_Main::setUpCommands()
{
    exportExcelAction = addCommand(QStringLiteral("导出到Excel..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                                   &TFm_Main::exportToExcel);
    exportCsvAction = addCommand(QStringLiteral("导出到CSV..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                                 &TFm_Main::exportToCsv);
    copySelectedAction = addCommand(QStringLiteral("复制选中行"), QKeySequence::Copy, &TFm_Main::copySelectedRows);
    copyAllAction = addCommand(QStringLiteral("复制全部行"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                               &TFm_Main::copyAllRows);
    dbg_xstgjfp2->addContextAction(exportExcelAction);
    dbg_xstgjfp2->addContextAction(exportCsvAction);

    // The grid's own copy commands (first in its menu, Ctrl+C in its rows)
    // copy even when there is nothing to copy; route them through the
    // window's, which say so instead.
    const QList<QAction*> gridActions = dbg_xstgjfp2->contextActions();
    const std::pair<QAction*, QAction*> routes[] = {{gridActions.value(0), copySelectedAction},
                                                    {gridActions.value(1), copyAllAction}};
    for (const auto& [gridAction, own] : routes) {
        if (!gridAction)
            continue;
        disconnect(gridAction, &QAction::triggered, dbg_xstgjfp2, nullptr);
        connect(gridAction, &QAction::triggered, own, &QAction::trigger);
    }
    // Filters run newest first, so this one sees Ctrl+C before the grid's.
    dbg_xstgjfp2->view()->installEventFilter(this);
}

void TFm_Main::applyLook()
{
    namespace style = qelvan::style;
    style::installSongFontSubstitution();

    QFont song(QStringLiteral("宋体"));
    song.setPixelSize(12);
    setFont(song);

    // No palettes of our own: a palette set on a window gets a new cache key
    // each time, so the style could never reuse what it drew for the previous
    // window and the pixmap cache would grow with every call.
    for (QFrame* panel : {Panel2, Panel4})
        style::applyFlatLook(panel, panelColour);
    style::applyFlatLook(gjpanel);

    for (QToolButton* button : {SB_locate, SP_print, Sb_Exit})
        style::applyFlatLook(button, Qt::white);
    SP_print->setIcon(printIcon());
    Sb_Exit->setIcon(exitIcon());

    for (QLabel* label : {Label1, Label2, Label3})
        label->adjustSize();

    style::applyFlatLook(cob_gsmc);
}

void TFm_Main::setClientHeight(int height)
{
    resize(width(), height);
}

void TFm_Main::setClientWidth(int width)
{
    resize(width, height());
}

void TFm_Main::setTop(int top)
{
    move(x(), top);
}

void TFm_Main::setLeft(int left)
{
    move(left, y());
}

void TFm_Main::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Restoring a minimised window is not a new show.
    if (!event->spontaneous())
        qelvan::app::guarded([this] { FormShow(); });
}

void TFm_Main::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F5:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        qelvan::app::guarded([this] { SB_locateClick(); });
        return;
    case Qt::Key_Escape:
        // Only the Exit button ends the window.
        event->accept();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

bool TFm_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dbg_xstgjfp2->view() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelectedAction->trigger();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFm_Main::FormShow()
{
    using namespace qelvan::sales;
    const QDate today = qelvan::app::today();
    dtp_qssj->setDate(today);
    dtp_zzsj->setDate(today);

    const QString code = dll_params.value(0);
    qelvan::db::Query& temp = *m_dm.qry_temp;
    OpenQuery(temp, headOfficeProbeStatement(code));
    if (temp.recordCount() != 0) {
        cob_gsmc->clear();
        OpenQuery(temp, attachedCompaniesStatement(code));
        while (!temp.eof()) {
            cob_gsmc->addItem(temp.asString(QStringLiteral("GSJC00")));
            temp.next();
        }
        cob_gsmc->setCurrentIndex(0);
    } else {
        cob_gsmc->clear();
        OpenQuery(temp, ownCompanyStatement(code));
        cob_gsmc->addItem(currentText(temp, "GSJC00"));
        cob_gsmc->setCurrentIndex(0);
    }
}

void TFm_Main::SB_locateClick()
{
    using namespace qelvan::sales;
    if (dtp_zzsj->value() < dtp_qssj->value()) {
        dtp_zzsj->setValue(dtp_qssj->value());
        MsgInfo(QStringLiteral("终止日期不能小于起始日期！"));
        return;
    }
    if (cob_gsmc->currentText().isEmpty()) {
        MsgInfo(QStringLiteral("请选择公司名称！"));
        return;
    }
    const QString name = cob_gsmc->itemText(cob_gsmc->currentIndex());

    qelvan::db::Query& temp = *m_dm.qry_temp;
    OpenQuery(temp, companyLookupStatement(name));
    const QString code = currentText(temp, "GSDM00");
    const QString link = currentText(temp, "DBLINK");
    if (link.isEmpty())
        return;

    const QDate start = dtp_qssj->date();
    const QDate end = dtp_zzsj->date();
    OpenQuery(*m_dm.qry_xstgjfp1, summaryStatement(code, link, start, end));
    m_shown = qelvan::ui::ShownSummary{name, start, end};
}

qelvan::ui::ShownSummary TFm_Main::shownSummary() const
{
    if (m_shown)
        return *m_shown;
    return {cob_gsmc->itemText(cob_gsmc->currentIndex()), dtp_qssj->date(), dtp_zzsj->date()};
}

bool TFm_Main::hasRows() const
{
    return !m_dm.qry_xstgjfp1->isEmpty();
}

void TFm_Main::SP_printClick()
{
    if (!hasRows()) {
        MsgInfo(QStringLiteral("无记录可供打印！"));
        return;
    }
    if (!frReportYKDJ.loadFromFile(QStringLiteral("vuq_xstgjfp1.frf"))) {
        MsgInfo(QStringLiteral("没有调到报表文件(vuq_xstgjfp1.frf)！"));
        return;
    }
    // Company and dates of the query whose rows are printed: the selection
    // may have changed since without a new query.
    const qelvan::ui::ShownSummary shown = shownSummary();
    using qelvan::report::setVariable;
    setVariable(QStringLiteral("gsmc"), shown.company);
    setVariable(QStringLiteral("cxrq"), shown.dateRange());
    setVariable(QStringLiteral("SLHJ"), dbg_xstgjfp2->footerText(QStringLiteral("dbg_xstgjfp2SL0000")));
    setVariable(QStringLiteral("JEHJ"), dbg_xstgjfp2->footerText(QStringLiteral("dbg_xstgjfp2JE0000")));
    setVariable(QStringLiteral("SEHJ"), dbg_xstgjfp2->footerText(QStringLiteral("dbg_xstgjfp2SE0000")));
    setVariable(QStringLiteral("BHSJEHJ"), dbg_xstgjfp2->footerText(QStringLiteral("dbg_xstgjfp2BHSJE0")));
    frReportYKDJ.showReport();
}

void TFm_Main::exportToExcel() { exportRows(ExportFormat::Workbook); }
void TFm_Main::exportToCsv() { exportRows(ExportFormat::Csv); }

void TFm_Main::exportRows(ExportFormat format)
{
    namespace exporting = qelvan::exporting;
    if (!hasRows()) {
        MsgInfo(exporting::noRowsMessage());
        return;
    }
    const bool workbook = format == ExportFormat::Workbook;
    const QString extension = workbook ? QStringLiteral("xlsx") : QStringLiteral("csv");
    const qelvan::ui::ShownSummary shown = shownSummary();

    qelvan::ui::SaveFileRequest request;
    request.owner = this;
    request.caption = workbook ? QStringLiteral("导出到Excel") : QStringLiteral("导出到CSV");
    request.proposedName = exporting::proposedFileName(shown.company, shown.start, shown.end, extension);
    request.filter = workbook ? QStringLiteral("Excel 工作簿 (*.xlsx)") : QStringLiteral("CSV 文件 (*.csv)");
    QString path = qelvan::ui::askSaveFileName(request);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + extension;

    const exporting::TableSnapshot snapshot = qelvan::ui::summarySnapshot(*dbg_xstgjfp2, shown);
    try {
        const qelvan::app::BusyCursor busy;
        if (workbook)
            exporting::writeXlsx(snapshot, path);
        else
            exporting::writeCsv(snapshot, path);
    } catch (const exporting::ExportError& e) {
        qelvan::app::showError(e.message());
    }
}

void TFm_Main::copySelectedRows()
{
    if (!hasRows()) {
        MsgInfo(qelvan::exporting::noRowsMessage());
        return;
    }
    dbg_xstgjfp2->copySelectedRows();
}

void TFm_Main::copyAllRows()
{
    if (!hasRows()) {
        MsgInfo(qelvan::exporting::noRowsMessage());
        return;
    }
    dbg_xstgjfp2->copyAllRows();
}

void TFm_Main::Sb_ExitClick()
{
    reject();
}
