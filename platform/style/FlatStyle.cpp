#include "FlatStyle.h"

#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QToolButton>

namespace qelvan::style {

namespace {

const QString songFace = QStringLiteral("宋体");

QString rgb(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QPalette systemPalette()
{
    return QApplication::palette();
}

QImage mapPixels(const QPixmap& pixmap, const std::function<QRgb(QRgb)>& f)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = f(line[x]);
    }
    return image;
}

} // namespace

QString songFaceFallback()
{
    return QStringLiteral("AR PL UMing CN");
}

void installSongFontSubstitution()
{
    if (!QFont::substitutes(songFace).contains(songFaceFallback()))
        QFont::insertSubstitution(songFace, songFaceFallback());
}

QPixmap dimmed(const QPixmap& image, const QColor& toward, int level)
{
    const int keep = 100 - level;
    return QPixmap::fromImage(mapPixels(image, [&](QRgb p) {
        auto mix = [&](int a, int b) { return (a * keep + b * level) / 100; };
        return qRgba(mix(qRed(p), toward.red()), mix(qGreen(p), toward.green()), mix(qBlue(p), toward.blue()),
                     qAlpha(p));
    }));
}

QPixmap greyed(const QPixmap& image, int level)
{
    return QPixmap::fromImage(mapPixels(image, [&](QRgb p) {
        const int g = qGray(p);
        auto mix = [&](int c) { return (c * level + g * (100 - level)) / 100; };
        return qRgba(mix(qRed(p)), mix(qGreen(p)), mix(qBlue(p)), qAlpha(p));
    }));
}

QIcon flatButtonIcon(const QPixmap& strip, const QColor& background, const FlatLevels& levels)
{
    QImage image = strip.toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    // The bottom-left pixel names the colour that is not drawn.
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
    }
    const int side = image.height();
    const QPixmap normal = QPixmap::fromImage(image.copy(0, 0, side, side));
    const QPixmap disabled =
        image.width() >= 2 * side ? QPixmap::fromImage(image.copy(side, 0, side, side)) : normal;

    QIcon icon;
    icon.addPixmap(dimmed(normal, background, levels.dim), QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    icon.addPixmap(greyed(disabled, levels.gray), QIcon::Disabled);
    return icon;
}

void applyFlatLook(QToolButton* button, const QColor& text)
{
    const QPalette pal = systemPalette();
    button->setAutoRaise(true);
    button->setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid transparent; background: transparent; color: %4; }"
        "QToolButton:hover { background: %1; border: 1px solid %2; }"
        "QToolButton:pressed { background: %3; border: 1px solid %2; padding-left: 1px; padding-top: 1px; }")
                              .arg(rgb(pal.color(QPalette::Highlight)),
                                   rgb(pal.color(QPalette::Highlight).darker(140)),
                                   rgb(pal.color(QPalette::Highlight).darker(120)),
                                   rgb(text)));
}

void applyFlatLook(QFrame* panel)
{
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAutoFillBackground(true);
}

namespace {
class PanelFill : public QObject {
public:
    PanelFill(QWidget* panel, const QColor& colour) : QObject(panel), m_colour(colour) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* panel = static_cast<QWidget*>(watched);
            QPainter(panel).fillRect(panel->rect(), m_colour);
        }
        return false;
    }

private:
    QColor m_colour;
};
} // namespace

void applyFlatLook(QFrame* panel, const QColor& colour)
{
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAutoFillBackground(false);
    panel->installEventFilter(new PanelFill(panel, colour));
}

void applyFlatLook(QComboBox* list)
{
    const QPalette pal = systemPalette();
    // Only the frame is flat; the arrow stays the platform's own. No
    // background here: a style sheet background becomes a palette of the
    // list's own, new for every window, and the style would cache the list's
    // drawing afresh for each one.
    list->setStyleSheet(QStringLiteral(
        "QComboBox { border: 1px solid %1; padding: 0px 2px; }"
        "QComboBox:hover, QComboBox:focus, QComboBox:on { border: 1px solid %2; }")
                            .arg(rgb(pal.color(QPalette::Mid)), rgb(pal.color(QPalette::Highlight))));
}

} // namespace qelvan::style
