#include "Report.h"

#include "DataLink.h"
#include "EngineMessage.h"
#include "Fonts.h"
#include "Preparer.h"
#include "PreviewWindow.h"
#include "ReportError.h"
#include "ReportHooks.h"
#include "TemplateReader.h"

#include "app/Application.h"

#include <QFileInfo>

#include <algorithm>

namespace qelvan::report {

Report::Report(QString name) : m_name(std::move(name))
{
    installFontSubstitutions();
}

Report::~Report() = default;

void Report::setOwner(QWidget* owner)
{
    m_owner = owner;
}

QWidget* Report::owner() const
{
    return m_owner.data();
}

void Report::addDataLink(DataLink* link)
{
    if (!link)
        return;
    m_links.erase(std::remove_if(m_links.begin(), m_links.end(),
                                 [&](DataLink* l) { return l == link || l->name().compare(link->name(), Qt::CaseInsensitive) == 0; }),
                  m_links.end());
    m_links.push_back(link);
}

void Report::removeDataLink(DataLink* link)
{
    m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end());
}

DataLink* Report::findLink(const QString& name) const
{
    for (DataLink* l : m_links)
        if (l->name().compare(name, Qt::CaseInsensitive) == 0)
            return l;
    return nullptr;
}

bool Report::loadFromFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return false;
    m_prepared.clear();
    m_layout.reset();
    try {
        m_layout = readTemplateFile(path);
    } catch (const ReportError& e) {
        showEngineError(owner(), e.message());
    }
    return true;
}

void Report::setLayout(ReportTemplate layout)
{
    m_prepared.clear();
    m_layout = std::move(layout);
}

bool Report::prepare()
{
    m_prepared.clear();
    if (!m_layout)
        return false;
    PrepareInput input;
    input.layout = &*m_layout;
    input.findLink = [this](const QString& name) { return findLink(name); };
    input.printTime = detail::now();
    try {
        m_prepared = prepareReport(input);
    } catch (const ReportError& e) {
        m_prepared.clear();
        showEngineError(owner(), e.message());
        return false;
    }
    return !m_prepared.isEmpty();
}

bool Report::showPreparedReport()
{
    if (m_prepared.isEmpty())
        return false;
    PreviewWindow preview(m_prepared, owner(), m_layout ? m_layout->name : QString());
    if (!owner())
        app::Application::instance().adopt(&preview);
    if (const auto& hook = detail::previewHook())
        hook(preview);
    else
        preview.exec();
    return true;
}

bool Report::showReport()
{
    return prepare() && showPreparedReport();
}

} // namespace qelvan::report
