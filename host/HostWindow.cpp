#include "HostWindow.h"

#include <qelvan/counted_string.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

HostWindow::HostWindow(HostOptions options, qelvan::Session& session)
    : m_options(std::move(options)), m_session(session), m_plugin(m_options.plugin)
{
    setWindowTitle(QStringLiteral("业务管理系统（演示）"));

    auto* open = new QAction(QStringLiteral("商品销售汇总(&S)"), this);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(open, &QAction::triggered, this, &HostWindow::openSalesSummary);
    auto* quit = new QAction(QStringLiteral("退出(&X)"), this);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* menu = menuBar()->addMenu(QStringLiteral("销售查询(&Q)"));
    menu->addAction(open);
    menu->addSeparator();
    menu->addAction(quit);
    QToolBar* tools = addToolBar(QStringLiteral("工具"));
    tools->setMovable(false);
    tools->addAction(open);

    m_workArea = new QLabel(QStringLiteral("工作区"));
    static_cast<QLabel*>(m_workArea)->setAlignment(Qt::AlignCenter);
    m_workArea->setAutoFillBackground(true);
    QPalette p = m_workArea->palette();
    p.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    m_workArea->setPalette(p);
    setCentralWidget(m_workArea);

    statusBar()->showMessage(QStringLiteral("公司 %1    数据库 %2").arg(m_options.company, m_options.database));
    resize(1024, 700);
}

std::vector<std::string> HostWindow::parameters() const
{
    // The working area in screen pixels: where the plug-in's window goes.
    const QRect area(m_workArea->mapToGlobal(QPoint(0, 0)), m_workArea->size());
    return {
        m_options.company.toStdString(),
        "0001",                       // user code, carried
        "演示用户",                   // user name, carried
        "", "", "", "", "",
        std::to_string(area.height()),
        std::to_string(area.width()),
        std::to_string(area.top()),
        std::to_string(area.left()),
    };
}

void HostWindow::openSalesSummary()
{
    try {
        const qelvan::CountedStringArray params(parameters());
        m_plugin.showdll()(nullptr, std::uintptr_t(winId()), &m_session, nullptr, params.data(), params.highIndex());
    } catch (const std::exception& e) {
        QMessageBox::critical(this, windowTitle(), QString::fromUtf8(e.what()));
    }
}
