#include "designedfonts.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QtEndian>

namespace veltara {

QString DesignedFontFolder()
{
    // Set by the build: Linux's folder of the twins, empty where the system
    // has the designed faces themselves (Windows).
    return QStringLiteral(VELTARA_DESIGNED_FONT_FOLDER);
}

namespace {

// The twin's bold face has the widths of the bold face but the strokes of
// the regular one. Declared as a semi-bold face (OS/2 weight class 600, no
// bold style bits), it is still the best match for a bold request, and the
// toolkit thickens its strokes, as it does for any face lighter than asked
// for. Returns the data unchanged where the tables are not where a font
// file keeps them.
QByteArray WithStrokesToThicken(QByteArray font)
{
    const auto bytes = reinterpret_cast<uchar *>(font.data());
    const qsizetype size = font.size();
    if (size < 12)
        return font;
    const int tables = qFromBigEndian<quint16>(bytes + 4);
    if (12 + 16 * qsizetype(tables) > size)
        return font;
    for (int i = 0; i < tables; ++i) {
        const uchar *entry = bytes + 12 + 16 * i;
        const QByteArrayView tag(entry, 4);
        const quint32 offset = qFromBigEndian<quint32>(entry + 8);
        const quint32 length = qFromBigEndian<quint32>(entry + 12);
        if (offset > quint64(size) || length > quint64(size) - offset)
            continue;
        uchar *table = bytes + offset;
        if (tag == "OS/2" && length >= 64) {
            qToBigEndian<quint16>(600, table + 4); // usWeightClass
            qToBigEndian<quint16>(qFromBigEndian<quint16>(table + 62) & ~0x20u, table + 62); // fsSelection: not bold
        } else if (tag == "head" && length >= 46) {
            qToBigEndian<quint16>(qFromBigEndian<quint16>(table + 44) & ~0x1u, table + 44); // macStyle: not bold
        }
    }
    return font;
}

} // namespace

bool RegisterDesignedFonts(const QString &folder)
{
    // Only the two faces of the Tahoma twin; the folder holds many more
    // fonts. Its "MS Sans Serif" is left out: it holds bitmaps of three sizes
    // only, which the toolkit can neither thicken for bold nor scale for a
    // high-density screen.
    if (folder.isEmpty())
        return false;
    bool regular = false;
    const QString regularPath = folder + QStringLiteral("/tahoma.ttf");
    if (QFileInfo::exists(regularPath)) {
        const int id = QFontDatabase::addApplicationFont(regularPath);
        regular = id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("Tahoma"));
    }
    // The bold face is read whole; a font of that name is far below the cap.
    constexpr qint64 LargestFont = 8 * 1024 * 1024;
    QFile bold(folder + QStringLiteral("/tahomabd.ttf"));
    if (regular && bold.open(QIODevice::ReadOnly) && bold.size() <= LargestFont)
        QFontDatabase::addApplicationFontFromData(WithStrokesToThicken(bold.readAll()));
    return regular;
}

void InstallDesignedFonts()
{
    static const bool installed = [] {
        RegisterDesignedFonts(DesignedFontFolder());
        // Without a twin: Tahoma is a narrow humanist sans, Verdana its wide
        // sibling, MS Sans Serif a plain grotesque.
        QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                                   {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Verdana"),
                                   {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
        // MS Sans Serif's closest scalable relative is Tahoma.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace veltara
