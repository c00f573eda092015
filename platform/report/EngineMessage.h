#pragma once
// The engine's own message boxes (unreadable templates, expression errors,
// failed saves), shown through the application's message seam.

#include <QString>

class QWidget;

namespace qelvan::report {

/// Caption of every box the engine shows.
QString engineCaption();
void showEngineError(QWidget* owner, const QString& text);

} // namespace qelvan::report
