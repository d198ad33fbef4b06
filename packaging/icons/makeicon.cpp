// Draws the application icon: a red numeral nine in a blue ring on a white
// disc, with a small red star at the top right. Each size is drawn on its own
// from the same outline, with strokes kept at least a pixel or two wide, so
// the small sizes stay clear. Writes veltara-<N>.png for every size and
// veltara.icns (PNG entries) into the folder given on the command line.
//
//   makeicon <folder>
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(128, 128, 255);

// The design lives on a 256 by 256 grid.
constexpr qreal Grid = 256.0;

QPainterPath Star(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int point = 0; point < 10; ++point) {
        const qreal radius = point % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + 36.0 * point);
        const QPointF corner(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (point == 0)
            path.moveTo(corner);
        else
            path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

// A stroke width on the grid, but never thinner than minPixels once scaled.
qreal Stroke(qreal gridWidth, qreal scale, qreal minPixels)
{
    return qMax(gridWidth, minPixels / scale);
}

QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / Grid;
    painter.scale(scale, scale);

    // The disc and its ring.
    const qreal ring = Stroke(16, scale, 1.5);
    painter.setPen(QPen(Blue, ring));
    painter.setBrush(Qt::white);
    const qreal radius = 128 - ring / 2 - 2 / scale * 0.5;
    painter.drawEllipse(QPointF(128, 128), radius, radius);

    // The numeral: a round bowl and a tail that sweeps down and to the left.
    const qreal stem = Stroke(30, scale, 2.2);
    QPen numeral(Red, stem, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(numeral);
    painter.setBrush(Qt::NoBrush);
    const QPointF bowl(124, 106);
    const qreal bowlRadius = size >= 32 ? 36 : 40;
    painter.drawEllipse(bowl, bowlRadius, bowlRadius);
    QPainterPath tail;
    tail.moveTo(bowl.x() + bowlRadius, bowl.y());
    tail.lineTo(bowl.x() + bowlRadius, 144);
    tail.cubicTo(bowl.x() + bowlRadius, 184, 132, 200, 98, 196);
    painter.drawPath(tail);

    // The star sits on the ring at the top right, outlined in white so it
    // stands apart from the ring. Too small to read at 16 pixels.
    if (size > 16) {
        const QPainterPath star = Star(QPointF(196, 60), 42, 18);
        painter.setPen(QPen(Qt::white, Stroke(8, scale, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Red);
        painter.drawPath(star);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray Png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void AppendBigEndian(QByteArray &out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xff));
}

// An Apple icon file whose entries are all PNG data.
QByteArray Icns(const std::vector<std::pair<const char *, QByteArray>> &entries)
{
    QByteArray body;
    for (const auto &[type, png] : entries) {
        body.append(type, 4);
        AppendBigEndian(body, quint32(png.size() + 8));
        body.append(png);
    }
    QByteArray file("icns");
    AppendBigEndian(file, quint32(body.size() + 8));
    return file + body;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicon <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());

    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = folder.filePath(QStringLiteral("veltara-%1.png").arg(size));
        if (!Write(path, Png(DrawIcon(size)))) {
            std::fprintf(stderr, "makeicon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    // icp4/icp5/icp6: 16, 32, 64; ic07/ic08/ic09: 128, 256, 512;
    // ic11/ic12/ic13/ic14: the 16, 32, 128 and 256 point sizes at twice the pixels.
    const QByteArray icns = Icns({
        {"icp4", Png(DrawIcon(16))},
        {"icp5", Png(DrawIcon(32))},
        {"icp6", Png(DrawIcon(64))},
        {"ic07", Png(DrawIcon(128))},
        {"ic08", Png(DrawIcon(256))},
        {"ic09", Png(DrawIcon(512))},
        {"ic11", Png(DrawIcon(32))},
        {"ic12", Png(DrawIcon(64))},
        {"ic13", Png(DrawIcon(256))},
        {"ic14", Png(DrawIcon(512))},
    });
    const QString icnsPath = folder.filePath(QStringLiteral("veltara.icns"));
    if (!Write(icnsPath, icns)) {
        std::fprintf(stderr, "makeicon: cannot write %s\n", qPrintable(icnsPath));
        return 1;
    }
    return 0;
}
