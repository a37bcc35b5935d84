#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

class QPainter;

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
    QImage image; // null when there is no custom background (or it could not be read)
    std::optional<int> score;
    QColor auraSoft;
    QColor auraOrb;
};

// Veil of the base colour over a custom background image.
inline constexpr qreal backdropImageVeilOpacity = 0.18;
// Opacity of the sheen's white at the top edge, lower while the aura tints the window.
qreal sheenTopOpacity(bool auraShown);

// Paints the whole backdrop into a rectangle of `size` at the painter's origin.
void paintBackdrop(QPainter& painter, const QSizeF& size, const BackdropLayers& layers);

// The backdrop as an image of `pixels` device pixels at `ratio`. The soft gradients span only a few
// colour steps over hundreds of pixels, so they are painted at 16 bits per channel and dithered
// down to 8; painted at 8 bits they would show bands and rings.
QImage renderBackdrop(const QSize& pixels, qreal ratio, const BackdropLayers& layers);

// Reads an image file for the backdrop, scaled down (never up) so that it still covers `cover`;
// a null image when the file is missing or not an image.
QImage readBackdropImage(const QString& path, const QSize& cover);

} // namespace roror
