#include "PreviewWindow.h"

#include "EngineMessage.h"
#include "PageView.h"
#include "PdfExport.h"
#include "PreparedFile.h"
#include "ReportError.h"
#include "ReportHooks.h"
#include "ReportPrinter.h"

#include "app/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace qelvan::report {

namespace {

constexpr std::array<int, 9> kSteps = {25, 50, 75, 100, 125, 150, 200, 300, 400};
const QString kPreparedFilter = QStringLiteral("报表文件 (*.qrp)");
const QString kPdfFilter = QStringLiteral("PDF 文件 (*.pdf)");

// Combo rows: whole page, page width, then the steps.
constexpr int kWholePageRow = 0;
constexpr int kPageWidthRow = 1;

QString askFile(FileDialogMode mode, QWidget* owner, const QString& caption, const QString& filter,
                QString* selectedFilter)
{
    if (const auto& hook = detail::fileDialogHook()) {
        FileDialogRequest request;
        request.mode = mode;
        request.caption = caption;
        request.filter = filter;
        request.owner = owner;
        return hook(request);
    }
    return mode == FileDialogMode::Open
        ? QFileDialog::getOpenFileName(owner, caption, QString(), filter, selectedFilter)
        : QFileDialog::getSaveFileName(owner, caption, QString(), filter, selectedFilter);
}

} // namespace

PreviewWindow::PreviewWindow(PreparedReport report, QWidget* owner, const QString& title)
    : QDialog(owner), m_report(std::move(report)), m_title(title), m_zoom(lastPreviewZoom())
{
    setObjectName(QStringLiteral("reportPreview"));
    setWindowTitle(title.isEmpty() ? QStringLiteral("打印预览") : QStringLiteral("打印预览 - %1").arg(title));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setModal(true);
    buildUi();
    if (const QScreen* screen = owner ? owner->screen() : QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 4 / 5, area.height() * 4 / 5);
    }
    m_view->setReport(&m_report);
    showPage();
    applyZoom();
}

PreviewWindow::~PreviewWindow() = default;

QAction* PreviewWindow::addAction(const QString& name, const QString& text, const QKeySequence& key)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    }
    QWidget::addAction(action);
    return action;
}

void PreviewWindow::buildUi()
{
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("previewToolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    m_zoomBox = new QComboBox(toolbar);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->addItem(QStringLiteral("整页"));
    m_zoomBox->addItem(QStringLiteral("页宽"));
    for (int step : kSteps)
        m_zoomBox->addItem(QStringLiteral("%1%").arg(step));
    connect(m_zoomBox, qOverload<int>(&QComboBox::activated), this, [this](int row) {
        PreviewZoom z;
        if (row == kWholePageRow)
            z.mode = PreviewZoom::Mode::WholePage;
        else if (row == kPageWidthRow)
            z.mode = PreviewZoom::Mode::PageWidth;
        else
            z.percent = kSteps[size_t(row - 2)];
        setZoom(z);
    });

    QAction* wholePage = addAction(QStringLiteral("zoomWholePage"), QStringLiteral("整页"));
    connect(wholePage, &QAction::triggered, this, [this] { setZoom({PreviewZoom::Mode::WholePage, 100}); });
    QAction* pageWidth = addAction(QStringLiteral("zoomPageWidth"), QStringLiteral("页宽"));
    connect(pageWidth, &QAction::triggered, this, [this] { setZoom({PreviewZoom::Mode::PageWidth, 100}); });
    QAction* actual = addAction(QStringLiteral("zoom100"), QStringLiteral("100%"), QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(actual, &QAction::triggered, this, [this] { setZoom({PreviewZoom::Mode::Percent, 100}); });
    QAction* in = addAction(QStringLiteral("zoomIn"), QStringLiteral("放大"), QKeySequence::ZoomIn);
    connect(in, &QAction::triggered, this, &PreviewWindow::zoomIn);
    QAction* out = addAction(QStringLiteral("zoomOut"), QStringLiteral("缩小"), QKeySequence::ZoomOut);
    connect(out, &QAction::triggered, this, &PreviewWindow::zoomOut);

    QAction* open = addAction(QStringLiteral("open"), QStringLiteral("打开"), QKeySequence::Open);
    connect(open, &QAction::triggered, this, &PreviewWindow::openFile);
    QAction* save = addAction(QStringLiteral("save"), QStringLiteral("保存"), QKeySequence::Save);
    connect(save, &QAction::triggered, this, &PreviewWindow::saveFile);
    QAction* printAction = addAction(QStringLiteral("print"), QStringLiteral("打印"), QKeySequence::Print);
    connect(printAction, &QAction::triggered, this, &PreviewWindow::print);
    QAction* findAction = addAction(QStringLiteral("find"), QStringLiteral("查找"), QKeySequence::Find);
    connect(findAction, &QAction::triggered, this, [this] {
        m_findBar->show();
        m_findEdit->setFocus();
        m_findEdit->selectAll();
    });
    QAction* help = addAction(QStringLiteral("help"), QStringLiteral("帮助"), QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &PreviewWindow::showHelp);
    QAction* exit = addAction(QStringLiteral("exit"), QStringLiteral("关闭"));
    connect(exit, &QAction::triggered, this, &QDialog::reject);

    QAction* firstPage = addAction(QStringLiteral("firstPage"), QStringLiteral("首页"), QKeySequence(Qt::Key_Home));
    connect(firstPage, &QAction::triggered, this, [this] { goToPage(0); });
    QAction* prevPage = addAction(QStringLiteral("previousPage"), QStringLiteral("上页"), QKeySequence(Qt::Key_PageUp));
    connect(prevPage, &QAction::triggered, this, [this] { goToPage(m_page - 1); });
    QAction* nextPage = addAction(QStringLiteral("nextPage"), QStringLiteral("下页"), QKeySequence(Qt::Key_PageDown));
    connect(nextPage, &QAction::triggered, this, [this] { goToPage(m_page + 1); });
    QAction* lastPage = addAction(QStringLiteral("lastPage"), QStringLiteral("末页"), QKeySequence(Qt::Key_End));
    connect(lastPage, &QAction::triggered, this, [this] { goToPage(pageCount() - 1); });
    QAction* nextMatch = addAction(QStringLiteral("findNext"), QStringLiteral("下一个"), QKeySequence::FindNext);
    connect(nextMatch, &QAction::triggered, this, &PreviewWindow::findNext);
    QAction* prevMatch = addAction(QStringLiteral("findPrevious"), QStringLiteral("上一个"), QKeySequence::FindPrevious);
    connect(prevMatch, &QAction::triggered, this, &PreviewWindow::findPrevious);

    m_pageBox = new QSpinBox(toolbar);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageTotal = new QLabel(toolbar);
    connect(m_pageBox, qOverload<int>(&QSpinBox::valueChanged), this, [this](int n) {
        if (n - 1 != m_page)
            goToPage(n - 1);
    });

    toolbar->addWidget(m_zoomBox);
    toolbar->addAction(wholePage);
    toolbar->addAction(pageWidth);
    toolbar->addAction(actual);
    toolbar->addAction(out);
    toolbar->addAction(in);
    toolbar->addSeparator();
    toolbar->addAction(firstPage);
    toolbar->addAction(prevPage);
    toolbar->addWidget(m_pageBox);
    toolbar->addWidget(m_pageTotal);
    toolbar->addAction(nextPage);
    toolbar->addAction(lastPage);
    toolbar->addSeparator();
    toolbar->addAction(open);
    toolbar->addAction(save);
    toolbar->addAction(printAction);
    toolbar->addAction(findAction);
    toolbar->addSeparator();
    toolbar->addAction(help);
    toolbar->addAction(exit);

    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_view = new PageView;
    m_scroll->setWidget(m_view);

    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    auto* findLayout = new QHBoxLayout(m_findBar);
    findLayout->setContentsMargins(6, 2, 6, 2);
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(QStringLiteral("findText"));
    m_findResult = new QLabel(m_findBar);
    auto* prevButton = new QPushButton(QStringLiteral("上一个"), m_findBar);
    auto* nextButton = new QPushButton(QStringLiteral("下一个"), m_findBar);
    auto* closeButton = new QPushButton(QStringLiteral("隐藏"), m_findBar);
    prevButton->setAutoDefault(false);
    nextButton->setAutoDefault(false);
    closeButton->setAutoDefault(false);
    findLayout->addWidget(new QLabel(QStringLiteral("查找："), m_findBar));
    findLayout->addWidget(m_findEdit, 1);
    findLayout->addWidget(prevButton);
    findLayout->addWidget(nextButton);
    findLayout->addWidget(m_findResult);
    findLayout->addWidget(closeButton);
    connect(m_findEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_findEdit->text() != m_needle)
            find(m_findEdit->text());
        else
            findNext();
    });
    connect(nextButton, &QPushButton::clicked, this, [this] {
        if (m_findEdit->text() != m_needle)
            find(m_findEdit->text());
        else
            findNext();
    });
    connect(prevButton, &QPushButton::clicked, this, &PreviewWindow::findPrevious);
    connect(closeButton, &QPushButton::clicked, m_findBar, &QWidget::hide);
    m_findBar->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_findBar);
}

void PreviewWindow::goToPage(int page)
{
    if (pageCount() == 0)
        return;
    page = std::clamp(page, 0, pageCount() - 1);
    if (page == m_page && m_view->isVisible())
        return;
    m_page = page;
    showPage();
}

void PreviewWindow::showPage()
{
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setRange(pageCount() > 0 ? 1 : 0, pageCount());
        m_pageBox->setValue(m_page + 1);
    }
    m_pageTotal->setText(QStringLiteral(" / %1 ").arg(pageCount()));
    m_view->setPage(m_page);
    std::vector<Highlight> highlights;
    for (size_t i = 0; i < m_matches.size(); ++i)
        if (m_matches[i].page == m_page)
            highlights.push_back({m_matches[i].item, int(i) == m_match});
    m_view->setHighlights(std::move(highlights));
    applyZoom();
}

void PreviewWindow::setZoom(PreviewZoom zoom)
{
    if (zoom.mode == PreviewZoom::Mode::Percent)
        zoom.percent = std::clamp(zoom.percent, kSteps.front(), kSteps.back());
    m_zoom = zoom;
    rememberPreviewZoom(zoom);
    applyZoom();
}

int PreviewWindow::effectivePercent() const
{
    if (m_zoom.mode == PreviewZoom::Mode::Percent)
        return m_zoom.percent;
    const QSizeF page = m_view->pageSizeAt100();
    if (page.isEmpty())
        return 100;
    const QSize room = m_scroll->maximumViewportSize() - QSize(2 * PageView::kGap, 2 * PageView::kGap);
    double factor = room.width() / page.width();
    if (m_zoom.mode == PreviewZoom::Mode::WholePage)
        factor = std::min(factor, room.height() / page.height());
    else   // the vertical scroll bar will take part of the width
        factor = (room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / page.width();
    return std::max(10, int(factor * 100));
}

void PreviewWindow::applyZoom()
{
    {
        const QSignalBlocker block(m_zoomBox);
        if (m_zoom.mode == PreviewZoom::Mode::WholePage)
            m_zoomBox->setCurrentIndex(kWholePageRow);
        else if (m_zoom.mode == PreviewZoom::Mode::PageWidth)
            m_zoomBox->setCurrentIndex(kPageWidthRow);
        else {
            const auto it = std::find(kSteps.begin(), kSteps.end(), m_zoom.percent);
            if (it != kSteps.end())
                m_zoomBox->setCurrentIndex(2 + int(it - kSteps.begin()));
        }
    }
    m_view->setZoom(effectivePercent() / 100.0);
}

void PreviewWindow::zoomIn()
{
    const int now = effectivePercent();
    const auto it = std::upper_bound(kSteps.begin(), kSteps.end(), now);
    setZoom({PreviewZoom::Mode::Percent, it == kSteps.end() ? kSteps.back() : *it});
}

void PreviewWindow::zoomOut()
{
    const int now = effectivePercent();
    auto it = std::lower_bound(kSteps.begin(), kSteps.end(), now);
    setZoom({PreviewZoom::Mode::Percent, it == kSteps.begin() ? kSteps.front() : *(it - 1)});
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_zoom.mode != PreviewZoom::Mode::Percent)
        applyZoom();
}

int PreviewWindow::find(const QString& text)
{
    m_needle = text;
    if (m_findEdit->text() != text)
        m_findEdit->setText(text);
    m_matches = findText(m_report, text);
    m_match = -1;
    for (size_t i = 0; i < m_matches.size(); ++i) {
        if (m_matches[i].page >= m_page) {
            m_match = int(i);
            break;
        }
    }
    if (m_match < 0 && !m_matches.empty())
        m_match = 0;
    showMatch();
    return matchCount();
}

void PreviewWindow::findNext()
{
    if (m_matches.empty())
        return;
    m_match = (m_match + 1) % matchCount();
    showMatch();
}

void PreviewWindow::findPrevious()
{
    if (m_matches.empty())
        return;
    m_match = (m_match - 1 + matchCount()) % matchCount();
    showMatch();
}

std::optional<TextMatch> PreviewWindow::currentMatch() const
{
    if (m_match < 0 || m_match >= matchCount())
        return std::nullopt;
    return m_matches[size_t(m_match)];
}

void PreviewWindow::showMatch()
{
    if (const auto match = currentMatch()) {
        m_page = match->page;
        showPage();
        // Bring the match into view.
        const PreparedItem& item = m_report.page(m_page).items[match->item];
        const double scale = m_view->logicalDpiY() / 25.4 * effectivePercent() / 100.0;
        const int x = PageView::kGap + int(item.rect.center().x() * scale);
        const int y = PageView::kGap + int(item.rect.center().y() * scale);
        m_scroll->ensureVisible(x, y, 50, 50);
    } else {
        showPage();
    }
    updateMatchLabel();
}

void PreviewWindow::updateMatchLabel()
{
    if (m_needle.isEmpty())
        m_findResult->clear();
    else if (m_matches.empty())
        m_findResult->setText(QStringLiteral("找不到“%1”").arg(m_needle));
    else
        m_findResult->setText(QStringLiteral("第 %1 处，共 %2 处").arg(m_match + 1).arg(matchCount()));
}

bool PreviewWindow::openFile()
{
    const QString path = askFile(FileDialogMode::Open, this, QStringLiteral("打开报表"), kPreparedFilter, nullptr);
    if (path.isEmpty())
        return false;
    try {
        m_report = loadPrepared(path);
    } catch (const ReportError& e) {
        showEngineError(this, e.message());
        return false;
    }
    m_matches.clear();
    m_match = -1;
    m_needle.clear();
    updateMatchLabel();
    m_page = 0;
    m_view->setReport(&m_report);
    showPage();
    return true;
}

bool PreviewWindow::saveFile()
{
    QString filter = kPreparedFilter;
    QString path = askFile(FileDialogMode::Save, this, QStringLiteral("保存报表"),
                           kPreparedFilter + QStringLiteral(";;") + kPdfFilter, &filter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == kPdfFilter ? QStringLiteral(".pdf") : QStringLiteral(".qrp");
    try {
        if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
            exportPdf(m_report, path, m_title);
        else
            savePrepared(m_report, path);
    } catch (const ReportError& e) {
        showEngineError(this, e.message());
        return false;
    }
    return true;
}

bool PreviewWindow::print()
{
    try {
        return printReport(m_report, this, m_title.isEmpty() ? windowTitle() : m_title, m_page);
    } catch (const ReportError& e) {
        showEngineError(this, e.message());
        return false;
    }
}

QString PreviewWindow::helpText()
{
    return QStringLiteral(
        "翻页：PageUp 上一页，PageDown 下一页，Home 第一页，End 最后一页；也可在页码框输入页码。\n"
        "缩放：缩放框选择“整页”“页宽”或比例；Ctrl++ 放大，Ctrl+- 缩小，Ctrl+0 恢复 100%。"
        "下次预览沿用最后选择的缩放。\n"
        "打开（Ctrl+O）：打开保存过的报表文件（*.qrp）。\n"
        "保存（Ctrl+S）：保存为报表文件（*.qrp），或选择 PDF 文件类型导出为 PDF。\n"
        "打印（Ctrl+P）：在打印对话框中选择打印机、页码范围和份数后打印。\n"
        "查找（Ctrl+F）：输入文字后按回车，所有相符的文字都加上底色；F3 下一个，Shift+F3 上一个。\n"
        "关闭（Esc）：关闭预览。");
}

void PreviewWindow::showHelp()
{
    app::MessageRequest request;
    request.owner = this;
    request.caption = QStringLiteral("预览帮助");
    request.text = helpText();
    request.icon = app::MessageIcon::Information;
    app::showMessage(request);
}

} // namespace qelvan::report
