// Draws the program's picture folder: nine planet pictures and twelve zodiac
// pictures, written as JPEG files into the folder named on the command line
// under the names the engine's tables give them.
//
// The picture boxes of the main window are 85 x 107 pixels; every picture is
// drawn at three times that size so that it stays sharp when stretched on a
// high-density screen. Everything is drawn from fixed data and fixed random
// seeds, so two runs give the same pictures.

#include "profiles.h"
#include "textunits.h"
#include "zodiac.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int pictureWidth = 255;
constexpr int pictureHeight = 321;
constexpr int jpegQuality = 90;

// ---------------------------------------------------------------------------
// Planets

// A planet disc in picture coordinates with its colours from the lit side to
// the limb. Surface features are placed in disc units: (0, 0) is the centre,
// (1, 0) the right edge.
struct Disc
{
    QPointF centre;
    qreal radius;
    QColor light;
    QColor base;
    QColor dark;

    QPointF at(qreal x, qreal y) const { return centre + QPointF(x * radius, y * radius); }
    QRectF bounds() const { return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius}; }
};

// One stripe of a banded planet: its height in disc units (-1 top, 1 bottom).
struct Band
{
    qreal y;
    QRgb colour;
};

QRectF squareAround(QPointF centre, qreal halfSize)
{
    return {centre.x() - halfSize, centre.y() - halfSize, 2 * halfSize, 2 * halfSize};
}

void clipToDisc(QPainter &painter, const Disc &disc)
{
    QPainterPath outline;
    outline.addEllipse(disc.bounds());
    painter.setClipPath(outline, Qt::IntersectClip);
}

// The plain ball, lit from the upper left.
void paintBall(QPainter &painter, const Disc &disc)
{
    QRadialGradient gradient(disc.centre, disc.radius * 1.25, disc.at(-0.4, -0.4));
    gradient.setColorAt(0.0, disc.light);
    gradient.setColorAt(0.55, disc.base);
    gradient.setColorAt(1.0, disc.dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(disc.bounds());
}

// Stripes across the disc, blended into each other.
template<std::size_t N>
void paintBands(QPainter &painter, const Disc &disc, const std::array<Band, N> &bands)
{
    QLinearGradient gradient(disc.at(0, -1), disc.at(0, 1));
    for (const Band &band : bands)
        gradient.setColorAt((band.y + 1) / 2, QColor::fromRgb(band.colour));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(disc.bounds());
}

// Light on the upper left, night towards the lower right: turns any flat
// surface drawing into a ball.
void paintLimbShade(QPainter &painter, const Disc &disc)
{
    QRadialGradient gradient(disc.centre, disc.radius, disc.at(-0.35, -0.35));
    gradient.setColorAt(0.0, QColor(255, 255, 255, 70));
    gradient.setColorAt(0.45, QColor(255, 255, 255, 0));
    gradient.setColorAt(0.8, QColor(0, 0, 0, 90));
    gradient.setColorAt(1.0, QColor(0, 0, 0, 210));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(disc.bounds());
}

// A rotated soft-edged blot: seas, dust and storms.
void paintPatch(QPainter &painter, const Disc &disc, QPointF where, QSizeF size, qreal angle,
                const QColor &colour)
{
    painter.save();
    painter.translate(disc.at(where.x(), where.y()));
    painter.rotate(angle);
    const QRectF rect(-size.width() * disc.radius / 2, -size.height() * disc.radius / 2,
                      size.width() * disc.radius, size.height() * disc.radius);
    QRadialGradient gradient(QPointF(0, 0), rect.width() / 2);
    QColor edge = colour;
    edge.setAlpha(0);
    gradient.setColorAt(0.0, colour);
    gradient.setColorAt(0.6, colour);
    gradient.setColorAt(1.0, edge);
    painter.scale(1.0, rect.height() / rect.width());
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(QPointF(0, 0), rect.width() / 2, rect.width() / 2);
    painter.restore();
}

// A crater lit from the upper left: its upper-left wall lies in shadow.
void paintCrater(QPainter &painter, const Disc &disc, qreal x, qreal y, qreal size)
{
    const QPointF centre = disc.at(x, y);
    const qreal radius = size * disc.radius;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(255, 255, 255, 45));
    painter.drawEllipse(centre + QPointF(radius * 0.2, radius * 0.2), radius * 0.78, radius * 0.78);
    painter.setPen(QPen(QColor(255, 255, 255, 60), std::max(1.0, radius * 0.12)));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(squareAround(centre, radius), -100 * 16, 150 * 16);
}

// A soft cloud stroke across the disc, given in disc units.
void paintStreak(QPainter &painter, const Disc &disc, const std::array<QPointF, 4> &curve,
                 qreal width, const QColor &colour)
{
    QPainterPath path(disc.at(curve[0].x(), curve[0].y()));
    path.cubicTo(disc.at(curve[1].x(), curve[1].y()), disc.at(curve[2].x(), curve[2].y()),
                 disc.at(curve[3].x(), curve[3].y()));
    QColor halo = colour;
    halo.setAlpha(colour.alpha() / 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(halo, width * disc.radius * 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.setPen(QPen(colour, width * disc.radius, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
}

void drawSun(QPainter &painter, const Disc &disc)
{
    QRadialGradient glow(disc.centre, disc.radius * 1.9);
    glow.setColorAt(0.0, QColor(255, 230, 150, 255));
    glow.setColorAt(0.5, QColor(255, 170, 40, 170));
    glow.setColorAt(0.75, QColor(255, 110, 20, 50));
    glow.setColorAt(1.0, QColor(255, 90, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(disc.centre, disc.radius * 1.9, disc.radius * 1.9);

    QRadialGradient rayColour(disc.centre, disc.radius * 1.75);
    rayColour.setColorAt(0.55, QColor(255, 235, 120, 240));
    rayColour.setColorAt(1.0, QColor(255, 140, 20, 0));
    painter.setBrush(rayColour);
    constexpr int rayCount = 24;
    for (int ray = 0; ray < rayCount; ++ray) {
        const qreal angle = ray * 2 * std::numbers::pi / rayCount;
        const qreal spread = 0.075;
        const qreal length = disc.radius * (ray % 2 == 0 ? 1.72 : 1.42);
        const auto polar = [&](qreal a, qreal r) {
            return disc.centre + QPointF(std::cos(a) * r, std::sin(a) * r);
        };
        const QPointF triangle[] = {polar(angle - spread, disc.radius * 0.95), polar(angle, length),
                                    polar(angle + spread, disc.radius * 0.95)};
        painter.drawPolygon(triangle, 3);
    }

    // The sun shines by itself: bright in the middle, darker at the rim.
    QRadialGradient face(disc.centre, disc.radius);
    face.setColorAt(0.0, disc.light);
    face.setColorAt(0.7, disc.base);
    face.setColorAt(1.0, disc.dark);
    painter.setBrush(face);
    painter.drawEllipse(disc.bounds());
    painter.save();
    clipToDisc(painter, disc);
    paintPatch(painter, disc, {0.35, 0.25}, {0.12, 0.09}, 10, QColor(150, 60, 0, 120));
    paintPatch(painter, disc, {0.45, 0.3}, {0.07, 0.06}, 0, QColor(150, 60, 0, 110));
    painter.restore();
}

void drawMoon(QPainter &painter, const Disc &disc)
{
    paintBall(painter, disc);
    painter.save();
    clipToDisc(painter, disc);
    const QColor sea(80, 82, 90, 110);
    paintPatch(painter, disc, {-0.3, -0.35}, {0.55, 0.4}, 20, sea);
    paintPatch(painter, disc, {0.15, -0.2}, {0.45, 0.35}, -15, sea);
    paintPatch(painter, disc, {-0.45, 0.15}, {0.4, 0.55}, 0, sea);
    paintPatch(painter, disc, {0.35, 0.2}, {0.3, 0.25}, 30, sea);
    paintCrater(painter, disc, 0.1, 0.6, 0.13);
    paintCrater(painter, disc, -0.15, 0.35, 0.07);
    paintCrater(painter, disc, 0.5, -0.45, 0.09);
    paintCrater(painter, disc, -0.55, -0.55, 0.06);
    paintCrater(painter, disc, 0.6, 0.45, 0.08);
    paintCrater(painter, disc, -0.1, -0.7, 0.05);
    paintCrater(painter, disc, 0.3, 0.05, 0.05);
    paintCrater(painter, disc, -0.7, 0.4, 0.05);
    paintLimbShade(painter, disc);
    painter.restore();
}

void drawMercury(QPainter &painter, const Disc &disc)
{
    paintBall(painter, disc);
    painter.save();
    clipToDisc(painter, disc);
    paintPatch(painter, disc, {0.2, -0.3}, {0.6, 0.4}, 25, QColor(90, 85, 80, 70));
    paintPatch(painter, disc, {-0.4, 0.35}, {0.45, 0.3}, -20, QColor(90, 85, 80, 60));
    // Many small craters scattered from a fixed seed.
    QRandomGenerator random(4242);
    for (int crater = 0; crater < 34; ++crater) {
        const qreal angle = random.bounded(2 * std::numbers::pi);
        const qreal distance = std::sqrt(random.bounded(1.0)) * 0.85;
        paintCrater(painter, disc, std::cos(angle) * distance, std::sin(angle) * distance,
                    0.03 + random.bounded(0.07));
    }
    paintLimbShade(painter, disc);
    painter.restore();
}

void drawVenus(QPainter &painter, const Disc &disc)
{
    paintBall(painter, disc);
    painter.save();
    clipToDisc(painter, disc);
    // Thick, hazy cloud: broad swirls rather than sharp bands.
    const QColor bright(255, 255, 245, 55);
    const QColor tan(185, 150, 85, 40);
    paintStreak(painter, disc, {{{-1.1, -0.2}, {-0.6, -0.9}, {0.2, -0.7}, {1.1, -0.75}}}, 0.2, bright);
    paintStreak(painter, disc, {{{-1.1, 0.0}, {-0.4, -0.45}, {0.4, 0.3}, {1.1, -0.2}}}, 0.12, tan);
    paintStreak(painter, disc, {{{-1.1, 0.2}, {-0.3, 0.0}, {0.0, 0.6}, {1.1, 0.35}}}, 0.22, bright);
    paintStreak(painter, disc, {{{-0.9, 0.9}, {-0.3, 0.5}, {0.4, 1.0}, {1.1, 0.7}}}, 0.12, tan);
    paintPatch(painter, disc, {-0.2, -0.25}, {0.9, 0.6}, -20, QColor(255, 255, 240, 60));
    paintLimbShade(painter, disc);
    painter.restore();
}

void drawMars(QPainter &painter, const Disc &disc)
{
    paintBall(painter, disc);
    painter.save();
    clipToDisc(painter, disc);
    const QColor dust(110, 35, 20, 130);
    paintPatch(painter, disc, {-0.25, -0.1}, {0.7, 0.3}, 15, dust);
    paintPatch(painter, disc, {0.3, 0.15}, {0.5, 0.22}, -25, dust);
    paintPatch(painter, disc, {-0.05, 0.45}, {0.6, 0.2}, 5, dust);
    paintPatch(painter, disc, {0.45, -0.4}, {0.3, 0.18}, 40, dust);
    paintPatch(painter, disc, {0.0, -0.95}, {0.75, 0.3}, 0, QColor(255, 255, 255, 235));
    paintPatch(painter, disc, {0.1, 0.97}, {0.45, 0.15}, 0, QColor(255, 245, 240, 180));
    paintLimbShade(painter, disc);
    painter.restore();
}

void drawJupiter(QPainter &painter, const Disc &disc)
{
    static constexpr std::array<Band, 14> bands{{
        {-1.0, qRgb(150, 120, 95)}, {-0.75, qRgb(200, 175, 145)}, {-0.55, qRgb(160, 110, 75)},
        {-0.42, qRgb(235, 220, 195)}, {-0.25, qRgb(240, 225, 200)}, {-0.15, qRgb(175, 115, 70)},
        {-0.02, qRgb(190, 130, 85)}, {0.1, qRgb(245, 230, 205)}, {0.22, qRgb(235, 215, 185)},
        {0.32, qRgb(180, 125, 80)}, {0.45, qRgb(215, 185, 150)}, {0.6, qRgb(170, 130, 95)},
        {0.75, qRgb(215, 195, 165)}, {1.0, qRgb(140, 115, 95)},
    }};
    painter.save();
    clipToDisc(painter, disc);
    paintBands(painter, disc, bands);
    paintStreak(painter, disc, {{{-1.1, -0.08}, {-0.5, -0.02}, {0.2, -0.14}, {1.1, -0.06}}}, 0.04,
                QColor(120, 70, 40, 90));
    // The great red spot, with its pale collar.
    paintPatch(painter, disc, {0.25, 0.38}, {0.42, 0.24}, 0, QColor(240, 225, 200, 220));
    paintPatch(painter, disc, {0.25, 0.38}, {0.32, 0.17}, 0, QColor(195, 85, 50, 235));
    paintLimbShade(painter, disc);
    painter.restore();
}

void drawUranus(QPainter &painter, const Disc &disc)
{
    static constexpr std::array<Band, 4> bands{{
        {-1.0, qRgb(215, 250, 250)}, {-0.3, qRgb(175, 230, 235)}, {0.4, qRgb(160, 220, 228)},
        {1.0, qRgb(140, 205, 215)},
    }};
    // The planet lies on its side, so its faint rings stand almost upright.
    const auto paintRings = [&](bool frontHalf) {
        painter.save();
        painter.translate(disc.centre);
        painter.rotate(-70);
        if (frontHalf)
            painter.setClipRect(QRectF(-2 * disc.radius, 0, 4 * disc.radius, 2 * disc.radius));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(210, 245, 250, 190), 1.8));
        painter.drawEllipse(QPointF(0, 0), disc.radius * 1.5, disc.radius * 0.62);
        painter.setPen(QPen(QColor(210, 245, 250, 110), 1.0));
        painter.drawEllipse(QPointF(0, 0), disc.radius * 1.6, disc.radius * 0.66);
        painter.restore();
    };
    paintRings(false);
    painter.save();
    clipToDisc(painter, disc);
    paintBands(painter, disc, bands);
    paintLimbShade(painter, disc);
    painter.restore();
    paintRings(true);
}

void drawNeptune(QPainter &painter, const Disc &disc)
{
    static constexpr std::array<Band, 6> bands{{
        {-1.0, qRgb(70, 120, 230)}, {-0.4, qRgb(60, 110, 225)}, {-0.2, qRgb(45, 90, 210)},
        {0.3, qRgb(55, 105, 225)}, {0.6, qRgb(40, 80, 200)}, {1.0, qRgb(35, 70, 185)},
    }};
    painter.save();
    clipToDisc(painter, disc);
    paintBands(painter, disc, bands);
    paintPatch(painter, disc, {-0.2, 0.15}, {0.4, 0.22}, -8, QColor(15, 30, 110, 220));
    paintPatch(painter, disc, {-0.05, 0.32}, {0.3, 0.08}, -8, QColor(235, 245, 255, 200));
    paintStreak(painter, disc, {{{-0.2, -0.45}, {0.1, -0.5}, {0.4, -0.42}, {0.6, -0.5}}}, 0.035,
                QColor(230, 240, 255, 170));
    paintStreak(painter, disc, {{{0.25, 0.6}, {0.4, 0.57}, {0.5, 0.62}, {0.6, 0.58}}}, 0.03,
                QColor(230, 240, 255, 150));
    paintLimbShade(painter, disc);
    painter.restore();
}

void drawSaturn(QPainter &painter, const Disc &disc)
{
    static constexpr std::array<Band, 9> bands{{
        {-1.0, qRgb(170, 150, 110)}, {-0.6, qRgb(215, 195, 150)}, {-0.4, qRgb(235, 220, 175)},
        {-0.2, qRgb(205, 180, 130)}, {0.0, qRgb(245, 230, 190)}, {0.25, qRgb(225, 205, 160)},
        {0.45, qRgb(200, 175, 125)}, {0.7, qRgb(220, 200, 155)}, {1.0, qRgb(165, 140, 100)},
    }};
    constexpr qreal tilt = -14;
    constexpr qreal ringOuter = 1.95;
    constexpr qreal ringFlattening = 0.3;

    // The rings, drawn as circles in a squashed frame so that the colour
    // gradient follows them; only the front half when asked.
    const auto paintRings = [&](bool frontHalf) {
        painter.save();
        painter.translate(disc.centre);
        painter.rotate(tilt);
        if (frontHalf)
            painter.setClipRect(QRectF(-3 * disc.radius, 0, 6 * disc.radius, 3 * disc.radius));
        painter.scale(1.0, ringFlattening);
        const qreal outer = disc.radius * ringOuter;
        QRadialGradient gradient(QPointF(0, 0), outer);
        gradient.setColorAt(0.0, QColor(0, 0, 0, 0));
        gradient.setColorAt(0.63, QColor(0, 0, 0, 0));
        gradient.setColorAt(0.64, QColor(140, 120, 90, 150));
        gradient.setColorAt(0.72, QColor(200, 180, 140, 220));
        gradient.setColorAt(0.83, QColor(235, 218, 178, 250));
        gradient.setColorAt(0.845, QColor(25, 20, 15, 160));
        gradient.setColorAt(0.87, QColor(25, 20, 15, 160));
        gradient.setColorAt(0.885, QColor(205, 185, 145, 240));
        gradient.setColorAt(0.99, QColor(175, 155, 115, 230));
        gradient.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawEllipse(QPointF(0, 0), outer, outer);
        painter.restore();
    };

    paintRings(false);
    painter.save();
    painter.translate(disc.centre);
    painter.rotate(tilt);
    Disc upright = disc;
    upright.centre = QPointF(0, 0);
    clipToDisc(painter, upright);
    paintBands(painter, upright, bands);
    // The shadow of the rings across the globe, just above the front arc.
    paintStreak(painter, upright, {{{-1.1, 0.42}, {-0.4, 0.48}, {0.4, 0.48}, {1.1, 0.42}}}, 0.07,
                QColor(60, 45, 25, 110));
    painter.resetTransform();
    paintLimbShade(painter, disc);
    painter.restore();
    paintRings(true);
}

// The look of each planet, by the name the engine gives it.
struct PlanetPicture
{
    std::u16string_view name;
    QRgb light;
    QRgb base;
    QRgb dark;
    qreal radius;
    void (*draw)(QPainter &, const Disc &);
};

// Banded planets take their colours from their own band tables.
constexpr QRgb fromBands = 0;

constexpr std::array<PlanetPicture, 9> planetPictures{{
    {u"Sun", qRgb(255, 252, 225), qRgb(255, 215, 80), qRgb(245, 140, 20), 66, drawSun},
    {u"Moon", qRgb(240, 240, 232), qRgb(195, 195, 190), qRgb(110, 110, 108), 92, drawMoon},
    {u"Jupiter", fromBands, fromBands, fromBands, 96, drawJupiter},
    {u"Uranus", fromBands, fromBands, fromBands, 76, drawUranus},
    {u"Mercury", qRgb(200, 190, 180), qRgb(150, 140, 130), qRgb(70, 65, 60), 70, drawMercury},
    {u"Venus", qRgb(255, 252, 225), qRgb(240, 220, 150), qRgb(160, 130, 70), 88, drawVenus},
    {u"Neptune", fromBands, fromBands, fromBands, 84, drawNeptune},
    {u"Saturn", fromBands, fromBands, fromBands, 60, drawSaturn},
    {u"Mars", qRgb(245, 150, 100), qRgb(205, 85, 45), qRgb(100, 35, 20), 80, drawMars},
}};

// ---------------------------------------------------------------------------
// Zodiac glyphs, drawn in a square from -1 to 1 and stroked with round pens.

void addArrowHead(QPainterPath &path, QPointF tip, QPointF from, qreal length)
{
    const QPointF direction = tip - from;
    const qreal angle = std::atan2(direction.y(), direction.x());
    for (const qreal side : {-1.0, 1.0}) {
        const qreal barb = angle + std::numbers::pi + side * std::numbers::pi / 4;
        path.moveTo(tip);
        path.lineTo(tip + QPointF(std::cos(barb), std::sin(barb)) * length);
    }
}

QPainterPath ariesGlyph()
{
    QPainterPath path(QPointF(0, 0.8));
    path.lineTo(0, -0.25);
    path.cubicTo(-0.05, -0.95, -0.75, -0.95, -0.72, -0.45);
    path.cubicTo(-0.7, -0.2, -0.5, -0.12, -0.38, -0.22);
    path.moveTo(0, -0.25);
    path.cubicTo(0.05, -0.95, 0.75, -0.95, 0.72, -0.45);
    path.cubicTo(0.7, -0.2, 0.5, -0.12, 0.38, -0.22);
    return path;
}

QPainterPath taurusGlyph()
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0.33), 0.45, 0.45);
    path.moveTo(-0.78, -0.8);
    path.cubicTo(-0.55, -0.15, 0.55, -0.15, 0.78, -0.8);
    return path;
}

QPainterPath geminiGlyph()
{
    QPainterPath path(QPointF(-0.72, -0.78));
    path.quadTo(0, -0.5, 0.72, -0.78);
    path.moveTo(-0.72, 0.78);
    path.quadTo(0, 0.5, 0.72, 0.78);
    path.moveTo(-0.3, -0.62);
    path.lineTo(-0.3, 0.62);
    path.moveTo(0.3, -0.62);
    path.lineTo(0.3, 0.62);
    return path;
}

QPainterPath cancerGlyph()
{
    QPainterPath path;
    path.addEllipse(QPointF(-0.45, -0.22), 0.22, 0.22);
    path.moveTo(-0.45, -0.44);
    path.cubicTo(-0.05, -0.72, 0.55, -0.66, 0.82, -0.3);
    path.addEllipse(QPointF(0.45, 0.22), 0.22, 0.22);
    path.moveTo(0.45, 0.44);
    path.cubicTo(0.05, 0.72, -0.55, 0.66, -0.82, 0.3);
    return path;
}

QPainterPath leoGlyph()
{
    QPainterPath path;
    path.addEllipse(QPointF(-0.48, 0.38), 0.24, 0.24);
    path.moveTo(-0.26, 0.3);
    path.cubicTo(-0.45, -0.25, -0.2, -0.85, 0.22, -0.82);
    path.cubicTo(0.7, -0.78, 0.72, -0.3, 0.48, 0.12);
    path.cubicTo(0.25, 0.5, 0.35, 0.85, 0.82, 0.68);
    return path;
}

// The three legs shared by Virgo and Scorpio, ending at the foot of the third.
QPainterPath threeLegs()
{
    QPainterPath path(QPointF(-0.82, -0.45));
    path.quadTo(-0.68, -0.62, -0.62, -0.45);
    path.lineTo(-0.62, 0.7);
    path.moveTo(-0.62, -0.25);
    path.cubicTo(-0.62, -0.75, -0.22, -0.75, -0.22, -0.25);
    path.lineTo(-0.22, 0.7);
    path.moveTo(-0.22, -0.25);
    path.cubicTo(-0.22, -0.75, 0.18, -0.75, 0.18, -0.25);
    return path;
}

QPainterPath virgoGlyph()
{
    QPainterPath path = threeLegs();
    path.lineTo(0.18, 0.45);
    path.cubicTo(0.18, 0.75, 0.3, 0.9, 0.45, 0.9);
    path.moveTo(0.18, 0.2);
    path.cubicTo(0.45, -0.35, 0.9, -0.1, 0.7, 0.3);
    path.cubicTo(0.55, 0.6, 0.3, 0.75, 0.02, 0.92);
    return path;
}

QPainterPath scorpioGlyph()
{
    QPainterPath path = threeLegs();
    path.lineTo(0.18, 0.55);
    path.cubicTo(0.18, 0.8, 0.45, 0.85, 0.78, 0.55);
    addArrowHead(path, QPointF(0.78, 0.55), QPointF(0.45, 0.8), 0.28);
    return path;
}

QPainterPath libraGlyph()
{
    QPainterPath path(QPointF(-0.82, 0.62));
    path.lineTo(0.82, 0.62);
    path.moveTo(-0.82, 0.25);
    path.lineTo(-0.3, 0.25);
    path.cubicTo(-0.8, -0.6, 0.8, -0.6, 0.3, 0.25);
    path.lineTo(0.82, 0.25);
    return path;
}

QPainterPath sagittariusGlyph()
{
    QPainterPath path(QPointF(-0.72, 0.72));
    path.lineTo(0.72, -0.72);
    path.moveTo(0.12, -0.72);
    path.lineTo(0.72, -0.72);
    path.lineTo(0.72, -0.12);
    path.moveTo(-0.55, -0.1);
    path.lineTo(0.1, 0.55);
    return path;
}

QPainterPath capricornGlyph()
{
    QPainterPath path(QPointF(-0.85, -0.5));
    path.quadTo(-0.62, -0.78, -0.5, -0.4);
    path.lineTo(-0.25, 0.55);
    path.lineTo(0.02, -0.52);
    path.cubicTo(0.12, -0.82, 0.32, -0.55, 0.3, 0.15);
    path.cubicTo(0.3, 0.6, 0.86, 0.62, 0.78, 0.25);
    path.cubicTo(0.72, -0.05, 0.3, 0.0, 0.3, 0.45);
    path.cubicTo(0.3, 0.8, 0.05, 0.92, -0.15, 0.85);
    return path;
}

QPainterPath aquariusGlyph()
{
    QPainterPath path;
    for (const qreal middle : {-0.28, 0.32}) {
        path.moveTo(-0.82, middle + 0.16);
        for (int peak = 1; peak <= 6; ++peak)
            path.lineTo(-0.82 + peak * 1.64 / 6, middle + (peak % 2 == 1 ? -0.16 : 0.16));
    }
    return path;
}

QPainterPath piscesGlyph()
{
    QPainterPath path(QPointF(-0.72, -0.82));
    path.cubicTo(-0.15, -0.45, -0.15, 0.45, -0.72, 0.82);
    path.moveTo(0.72, -0.82);
    path.cubicTo(0.15, -0.45, 0.15, 0.45, 0.72, 0.82);
    path.moveTo(-0.62, 0);
    path.lineTo(0.62, 0);
    return path;
}

// ---------------------------------------------------------------------------
// Zodiac signs

enum class Element { Fire, Earth, Air, Water };

// Fire glows red, earth is green and brown, air is pale, water is deep.
struct ElementLook
{
    QRgb light;
    QRgb dark;
    QRgb ink;
};

// In the order of Element.
constexpr std::array<ElementLook, 4> elementLooks{{
    {qRgb(235, 95, 45), qRgb(105, 20, 10), qRgb(255, 244, 215)},
    {qRgb(125, 160, 80), qRgb(45, 60, 25), qRgb(250, 245, 220)},
    {qRgb(225, 235, 250), qRgb(140, 165, 205), qRgb(30, 45, 90)},
    {qRgb(55, 125, 200), qRgb(10, 25, 75), qRgb(225, 245, 255)},
}};

// The look of each sign, by the name the engine gives it.
struct ZodiacPicture
{
    std::u16string_view name;
    Element element;
    int hueShift; // degrees, so that the three signs of one element differ
    QPainterPath (*glyph)();
};

constexpr std::array<ZodiacPicture, 12> zodiacPictures{{
    {u"Capricorn", Element::Earth, 25, capricornGlyph},
    {u"Aquarius", Element::Air, -25, aquariusGlyph},
    {u"Pisces", Element::Water, -25, piscesGlyph},
    {u"Aries", Element::Fire, -10, ariesGlyph},
    {u"Taurus", Element::Earth, -15, taurusGlyph},
    {u"Gemini", Element::Air, 30, geminiGlyph},
    {u"Cancer", Element::Water, 0, cancerGlyph},
    {u"Leo", Element::Fire, 15, leoGlyph},
    {u"Virgo", Element::Earth, 5, virgoGlyph},
    {u"Libra", Element::Air, 0, libraGlyph},
    {u"Scorpio", Element::Water, 30, scorpioGlyph},
    {u"Sagittarius", Element::Fire, -30, sagittariusGlyph},
}};

QColor shiftedHue(QRgb rgb, int degrees)
{
    const QColor colour = QColor::fromRgb(rgb).toHsv();
    return QColor::fromHsv((colour.hue() + degrees + 360) % 360, colour.saturation(), colour.value());
}

// ---------------------------------------------------------------------------
// Common parts

QImage blankPicture()
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void paintStarrySky(QPainter &painter, quint32 seed)
{
    QLinearGradient sky(0, 0, 0, pictureHeight);
    sky.setColorAt(0.0, QColor(4, 6, 18));
    sky.setColorAt(1.0, QColor(14, 18, 42));
    painter.fillRect(QRect(0, 0, pictureWidth, pictureHeight), sky);

    QRandomGenerator random(seed);
    painter.setPen(Qt::NoPen);
    for (int star = 0; star < 110; ++star) {
        const QPointF where(random.bounded(double(pictureWidth)), random.bounded(double(pictureHeight)));
        const qreal size = 0.4 + random.bounded(1.0) * random.bounded(1.0) * 1.4;
        const int brightness = 120 + random.bounded(136);
        const int tint = random.bounded(3);
        const QColor colour(tint == 1 ? brightness * 4 / 5 : brightness, brightness,
                            tint == 2 ? brightness * 4 / 5 : brightness);
        painter.setBrush(colour);
        painter.drawEllipse(where, size, size);
        if (size > 1.3) {
            QRadialGradient glow(where, size * 4);
            glow.setColorAt(0.0, QColor(colour.red(), colour.green(), colour.blue(), 90));
            glow.setColorAt(1.0, QColor(colour.red(), colour.green(), colour.blue(), 0));
            painter.setBrush(glow);
            painter.drawEllipse(where, size * 4, size * 4);
        }
    }
}

void paintCaption(QPainter &painter, const QString &text, const QRectF &area, int pixelSize,
                  const QColor &colour)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 140));
    painter.drawText(area.translated(1.5, 1.5), Qt::AlignCenter, text);
    painter.setPen(colour);
    painter.drawText(area, Qt::AlignCenter, text);
}

QImage drawPlanetPicture(const PlanetPicture &planet, quint32 seed)
{
    QImage image = blankPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintStarrySky(painter, seed);
    const Disc disc{QPointF(pictureWidth / 2.0, 140), planet.radius, QColor::fromRgb(planet.light),
                    QColor::fromRgb(planet.base), QColor::fromRgb(planet.dark)};
    planet.draw(painter, disc);
    paintCaption(painter, veltara::ToQString(planet.name), QRectF(0, pictureHeight - 42, pictureWidth, 34),
                 22, QColor(225, 230, 245));
    return image;
}

QImage drawZodiacPicture(const ZodiacPicture &sign, quint32 seed)
{
    QImage image = blankPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const ElementLook &look = elementLooks[static_cast<std::size_t>(sign.element)];
    const QPointF centre(pictureWidth / 2.0, 128);
    QRadialGradient background(centre, pictureHeight * 0.75, centre - QPointF(30, 40));
    background.setColorAt(0.0, shiftedHue(look.light, sign.hueShift));
    background.setColorAt(1.0, shiftedHue(look.dark, sign.hueShift));
    painter.fillRect(image.rect(), background);

    QColor ink = QColor::fromRgb(look.ink);
    QColor faintInk = ink;
    faintInk.setAlpha(70);

    // A scatter of small sparkles and a ring framing the glyph.
    QRandomGenerator random(seed);
    painter.setPen(Qt::NoPen);
    painter.setBrush(faintInk);
    for (int sparkle = 0; sparkle < 40; ++sparkle) {
        const QPointF where(random.bounded(double(pictureWidth)), random.bounded(double(pictureHeight)));
        const qreal size = 0.6 + random.bounded(1.2);
        painter.drawEllipse(where, size, size);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(faintInk, 2.5));
    painter.drawEllipse(centre, 104, 104);
    painter.setPen(QPen(faintInk, 1.0));
    painter.drawEllipse(centre, 97, 97);

    QTransform toPicture;
    toPicture.translate(centre.x(), centre.y());
    toPicture.scale(72, 72);
    const QPainterPath glyph = toPicture.map(sign.glyph());
    const QPen shadowPen(QColor(0, 0, 0, 90), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(shadowPen);
    painter.drawPath(glyph.translated(3, 4));
    painter.setPen(QPen(ink, 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(glyph);

    paintCaption(painter, veltara::ToQString(sign.name), QRectF(0, pictureHeight - 62, pictureWidth, 46), 30,
                 ink);
    return image;
}

// The look of the planet or sign of that name; nullptr when there is none.
template <typename Picture, std::size_t N>
const Picture *find(const std::array<Picture, N> &pictures, std::u16string_view name)
{
    for (const Picture &picture : pictures) {
        if (picture.name == name)
            return &picture;
    }
    std::fprintf(stderr, "makepictures: nothing to draw for %s\n", qPrintable(veltara::ToQString(name)));
    return nullptr;
}

bool save(const QImage &image, const QDir &folder, std::u16string_view fileName)
{
    const QString path = folder.filePath(veltara::ToQString(fileName));
    QImageWriter writer(path, "jpeg");
    writer.setQuality(jpegQuality);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "makepictures: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: makepictures <output folder>\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "makepictures: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    // Each picture has its own fixed star seed, so the skies differ but never
    // change: the planets of the name numbers 1 to 9, then the signs in the
    // order of the zodiac table.
    quint32 seed = 1;
    bool written = true;
    for (int number = 1; number <= 9; ++number) {
        const veltara::NameProfile &profile = *veltara::LookupNameProfile(number);
        const PlanetPicture *planet = find(planetPictures, profile.planet);
        written = planet && save(drawPlanetPicture(*planet, seed++), folder, profile.planetPicture) && written;
    }
    std::vector<std::u16string_view> drawn;
    for (const veltara::ZodiacRange &range : veltara::ZodiacTable) {
        if (std::find(drawn.begin(), drawn.end(), range.picture) != drawn.end())
            continue;
        drawn.push_back(range.picture);
        const ZodiacPicture *sign = find(zodiacPictures, range.sign);
        written = sign && save(drawZodiacPicture(*sign, seed++), folder, range.picture) && written;
    }
    return written ? 0 : 1;
}
