#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace roror {

// The health aura's colour family for a score: above 75 good, 46 to 75 warning, below 46 poor.
enum class AuraTone { mint, amber, blush };
AuraTone auraTone(int score);
QString toRaw(AuraTone tone);

// What the window backdrop is made of, bottom to top: a flat base colour, the custom background
// image under a thin veil of the base colour, the health aura when there is a score, and a faint
// top-to-bottom sheen.
struct BackdropLayers {
    QColor base;
    // The desktop's wallpaper, already blurred, under a veil of the base colour; drawn only when
    // there is no custom background.
    QImage desktop;
    QImage image; // null when there is no custom background (or it could not be read)
    std::optional<int> score;
    QColor auraSoft;
    QColor auraOrb;
};

// Veil of the base colour over a custom background image.
inline constexpr qreal backdropImageVeilOpacity = 0.18;
// Veil of the base colour over the blurred desktop wallpaper: the window's own material, which
// lets the desktop's colours through without competing with the text.
inline constexpr qreal desktopVeilOpacity = 0.62;
// The opacity of the base colour over the compositor's own blur of the desktop.
inline constexpr qreal compositorBaseOpacity = 0.72;
// Opacity of the sheen's white at the top edge, lower while the aura tints the window.
qreal sheenTopOpacity(bool auraShown);

// The whole backdrop as an image of `pixels` device pixels at `ratio`. The aura and the sheen span
// only a few colour steps over hundreds of pixels, so they are painted at 16 bits per channel and
// dithered down to 8; painted at 8 bits they would show bands and rings.
QImage renderBackdrop(const QSize& pixels, qreal ratio, const BackdropLayers& layers);

// Reads an image file for the backdrop, scaled down (never up) so that it still covers `cover`;
// a null image when the file is missing or not an image.
QImage readBackdropImage(const QString& path, const QSize& cover);

// The desktop's wallpaper at `path` as the backdrop shows it: decoded small enough to cover a
// window of `windowSize` at a quarter of its size, then blurred (drawing it scaled up finishes the
// blur). A null image when the file is missing or not a picture.
QImage blurredDesktopImage(const QString& path, const QSize& windowSize);

} // namespace roror
