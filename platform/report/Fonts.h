#pragma once
// Template fonts on this system: the Windows-named faces templates use are
// served by installed equivalents (宋体 by the Song-style "AR PL UMing CN").

#include "ItemStyle.h"

#include <QFont>

namespace qelvan::report {

/// Registers the substitutions once per process; cheap to call again.
void installFontSubstitutions();

/// The font for a spec, drawn at `zoom` times its size. Qt turns points into
/// device pixels by the device's resolution, so the text keeps its physical
/// size on screen, printer and PDF alike.
QFont toQFont(const FontSpec& spec, double zoom = 1.0);

} // namespace qelvan::report
