#include "Plugin.h"

#include <stdexcept>

Plugin::Plugin(const QString& path) : m_library(path) {}

qelvan::ShowdllFunction Plugin::showdll()
{
    if (m_showdll)
        return m_showdll;
    if (!m_library.load())
        throw std::runtime_error(m_library.errorString().toStdString());
    m_showdll = reinterpret_cast<qelvan::ShowdllFunction>(m_library.resolve("showdll"));
    if (!m_showdll)
        throw std::runtime_error(m_library.errorString().toStdString());
    return m_showdll;
}
