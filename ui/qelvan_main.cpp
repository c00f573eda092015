#include "qelvan_main.h"

#include "ButtonPictures.h"
#include "DatePicker.h"
#include "SummaryGrid.h"
#include "ui_qelvan_main.h"

#include "CommonFunc.h"
#include "SalesStatements.h"
#include "qelvan_dm.h"

#include "app/Clock.h"
#include "app/ErrorBox.h"
#include "style/FlatStyle.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolButton>

TFm_Main* Fm_Main = nullptr;

namespace {

const QColor panelColour(98, 151, 168);

QString currentText(const qelvan::db::Query& query, const char* field)
{
    return query.eof() ? QString() : query.asString(QString::fromLatin1(field));
}

} // namespace

TFm_Main::TFm_Main(Tdm& data, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TFm_Main>()), m_dm(data)
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

    using qelvan::app::guarded;
    connect(SB_locate, &QToolButton::clicked, this, [this] { guarded([this] { SB_locateClick(); }); });
    connect(SP_print, &QToolButton::clicked, this, [this] { guarded([this] { SP_printClick(); }); });
    connect(Sb_Exit, &QToolButton::clicked, this, [this] { guarded([this] { Sb_ExitClick(); }); });
}

TFm_Main::~TFm_Main() = default;

void TFm_Main::applyLook()
{
    namespace style = qelvan::style;
    style::installSongFontSubstitution();

    QFont song(QStringLiteral("宋体"));
    song.setPixelSize(12);
    setFont(song);

    QPalette window = palette();
    window.setColor(QPalette::Window, window.color(QPalette::Button));
    setPalette(window);
    setAutoFillBackground(true);

    for (QFrame* panel : {Panel2, Panel4}) {
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, panelColour);
        panel->setPalette(p);
        style::applyFlatLook(panel);
    }
    style::applyFlatLook(gjpanel);

    for (QToolButton* button : {SB_locate, SP_print, Sb_Exit}) {
        QPalette p = button->palette();
        p.setColor(QPalette::ButtonText, Qt::white);
        button->setPalette(p);
        style::applyFlatLook(button);
    }
    SP_print->setIcon(style::flatButtonIcon(qelvan::ui::printerPicture(), panelColour));
    Sb_Exit->setIcon(style::flatButtonIcon(qelvan::ui::openDoorPicture(), panelColour));

    for (QLabel* label : {Label1, Label2}) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(p);
    }
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

    OpenQuery(*m_dm.qry_xstgjfp1, summaryStatement(code, link, dtp_qssj->date(), dtp_zzsj->date()));
}

void TFm_Main::SP_printClick()
{
    if (m_dm.qry_xstgjfp1->isEmpty()) {
        MsgInfo(QStringLiteral("无记录可供打印！"));
        return;
    }
}

void TFm_Main::Sb_ExitClick()
{
    reject();
}
