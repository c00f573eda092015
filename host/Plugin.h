#pragma once
// The plug-in, loaded at run time like the business application does.

#include <qelvan/showdll.h>

#include <QLibrary>
#include <QString>

class Plugin {
public:
    explicit Plugin(const QString& path);
    /// Loads the library on first use; throws std::runtime_error when it
    /// cannot be loaded or lacks showdll.
    qelvan::ShowdllFunction showdll();

private:
    QLibrary m_library;
    qelvan::ShowdllFunction m_showdll = nullptr;
};
