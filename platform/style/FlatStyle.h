#pragma once
// The window's flat look: speed buttons, panels and drop-down lists drawn
// without bevels, highlighted in the system highlight colour under the mouse
// and pressed on click; button images dimmed, and greyed when disabled.

#include <QColor>
#include <QIcon>
#include <QPixmap>

class QComboBox;
class QFrame;
class QToolButton;

namespace qelvan::style {

/// Levels as percentages: how far a button image fades toward the button's
/// background while the mouse is elsewhere, and how much colour a disabled
/// image keeps.
struct FlatLevels {
    int dim = 30;
    int gray = 10;
};

/// Maps the face name "宋体" to the installed Song-style CJK face so the
/// window's Chinese texts render. Safe to call more than once.
void installSongFontSubstitution();

/// The face the substitution maps to.
QString songFaceFallback();

/// The caption keeps the button's palette ButtonText colour.
void applyFlatLook(QToolButton* button, const QColor& text = Qt::black);
void applyFlatLook(QFrame* panel);
/// A flat panel filled with `colour`, painted rather than set as a palette so
/// that every window shares the application's palette (and the style's cache).
void applyFlatLook(QFrame* panel, const QColor& colour);
void applyFlatLook(QComboBox* list);

/// A button icon from a strip of frames the width of two squares (normal,
/// then disabled), the colour of the bottom-left pixel being transparent.
/// Normal mode is the image dimmed toward `background`, Active (under the
/// mouse) the image itself, Disabled the second frame greyed.
QIcon flatButtonIcon(const QPixmap& strip, const QColor& background, const FlatLevels& levels = {});

/// The image faded `level` percent toward `toward`; transparency kept.
QPixmap dimmed(const QPixmap& image, const QColor& toward, int level);
/// The image in grey, keeping `level` percent of its colour.
QPixmap greyed(const QPixmap& image, int level);

} // namespace qelvan::style
