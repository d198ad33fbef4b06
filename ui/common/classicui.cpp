#include "classicui.h"

#include "appstyle.h"
#include "designedfonts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltara {

namespace {

constexpr qreal TwipsPerInch = 1440.0;

qreal LogicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips * LogicalDpi() / TwipsPerInch));
}

// Styles made for a dark desktop draw parts of the controls (button faces,
// list frames) in colours of their own, whatever the palette says. The
// windows then take the toolkit's own style, which draws from the palette.
QStyle *PaletteStyle()
{
    const QStyle *desktop = ApplicationStyle::desktopStyle(QApplication::style());
    const bool dark = desktop->standardPalette().color(QPalette::Window).lightness() < 128;
    if (!dark || desktop->name() == u"fusion")
        return nullptr;
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        if (style)
            style->setParent(qApp);
    }
    return style;
}

// Where a label draws its text: inside its border, its margin and, for a
// bordered label, the indent the toolkit adds on its aligned sides.
QRect LabelTextRect(const QLabel *label, const QFont &font)
{
    // The toolkit's own rule: the margin all round; then, for a label with
    // a frame and no indent of its own, half an "x" less the margin on each
    // side the text is aligned to.
    const int margin = label->margin();
    QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = QFontMetrics(font).horizontalAdvance(QLatin1Char('x')) / 2 - margin;
    if (indent > 0) {
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        if (align & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        if (align & Qt::AlignRight)
            room.setRight(room.right() - indent);
        if (align & Qt::AlignTop)
            room.setTop(room.top() + indent);
        if (align & Qt::AlignBottom)
            room.setBottom(room.bottom() - indent);
    }
    return room;
}

constexpr qreal SmallestPointSize = 6.0;

constexpr int NoCover = std::numeric_limits<int>::max();

// Whether a label's text fits across and down its room in a font.
struct Fit {
    bool across;
    bool down;
    bool whole() const { return across && down; }
};

Fit FitWith(const QLabel *label, const QFont &font, int shownHeight)
{
    // The text is placed in the box as the label places it, and must end
    // one pixel short of its right and bottom edges, where the label cuts it
    // off: a descender or a bold stroke may reach past the font's rounded
    // metrics, more so on a screen of double density.
    const QRect box = LabelTextRect(label, font);
    const int right = box.width() - 1;
    int bottom = box.height() - 1;
    if (shownHeight != NoCover)
        bottom = std::min(bottom, shownHeight - box.top() - 1);
    const QFontMetrics metrics(font);
    if (label->wordWrap()) {
        // Lines break at the box's width; every line, down to the last
        // one's descent, must lie above the bottom.
        const QRect needed =
            metrics.boundingRect(box, static_cast<int>(label->alignment()) | Qt::TextWordWrap, label->text());
        return {needed.width() <= box.width(), needed.height() <= bottom};
    }
    // One line, placed by its advance and its line height; what shows is its
    // ink, which may end a side bearing short of the advance, or reach below
    // the line (a "J" in some faces).
    const int advance = metrics.horizontalAdvance(label->text());
    // Smoothing may shade one pixel row below the outline.
    const QRect ink = metrics.tightBoundingRect(label->text()).adjusted(0, 0, 0, 1);
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    int start = 0;
    if (align & Qt::AlignRight)
        start = box.width() - advance;
    else if (align & Qt::AlignHCenter)
        start = (box.width() - advance) / 2;
    int lineTop = 0;
    if (align & Qt::AlignBottom)
        lineTop = box.height() - metrics.height();
    else if (align & Qt::AlignVCenter)
        lineTop = (box.height() - metrics.height()) / 2;
    const int baseline = lineTop + metrics.ascent();
    // A side the text starts from is cut only where the text is wider or
    // taller than the box: a bearing or an accent may stick out by design.
    return {(start >= 0 || start + ink.left() >= 0) && start + ink.left() + ink.width() <= right,
            (lineTop >= 0 || baseline + ink.top() >= 0) && baseline + ink.top() + ink.height() <= bottom};
}

// The largest size, in quarter points from the designed one down to the
// smallest, at which the label shows its whole text.
QFont Fitted(const QLabel *label, const QFont &designed, int shownHeight = NoCover)
{
    if (label->text().isEmpty() || FitWith(label, designed, shownHeight).whole())
        return designed;
    QFont font = designed;
    auto fitsAt = [&](int quarters) {
        font.setPointSizeF(quarters / 4.0);
        return FitWith(label, font, shownHeight).whole();
    };
    int fits = static_cast<int>(SmallestPointSize * 4);
    int tooBig = static_cast<int>(std::floor(designed.pointSizeF() * 4));
    while (tooBig - fits > 1) {
        const int middle = (fits + tooBig) / 2;
        (fitsAt(middle) ? fits : tooBig) = middle;
    }
    font.setPointSizeF(fits / 4.0);
    return font;
}

} // namespace

QRect TwipsRect(int left, int top, int width, int height)
{
    // Map both edges, so neighbouring boxes still meet after rounding.
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

QSize TwipsSize(int width, int height)
{
    return QSize(TwipsToPixels(width), TwipsToPixels(height));
}

QPalette ClassicPalette()
{
    // Every role in every colour group, so nothing of a theme's palette is
    // left over.
    struct Role {
        QPalette::ColorRole role;
        QColor active;
        QColor disabled;
    };
    const QColor black(0, 0, 0);
    const QColor greyText(109, 109, 109);
    const Role roles[] = {
        {QPalette::Window, ClassicButtonFace, ClassicButtonFace},
        {QPalette::WindowText, black, greyText},
        {QPalette::Base, ClassicWindow, ClassicButtonFace},
        {QPalette::AlternateBase, QColor(246, 246, 246), QColor(246, 246, 246)},
        {QPalette::Text, black, greyText},
        {QPalette::PlaceholderText, greyText, greyText},
        {QPalette::Button, ClassicButtonFace, ClassicButtonFace},
        {QPalette::ButtonText, black, greyText},
        {QPalette::BrightText, ClassicWindow, ClassicWindow},
        {QPalette::Light, ClassicWindow, ClassicWindow},
        {QPalette::Midlight, QColor(227, 227, 227), QColor(227, 227, 227)},
        {QPalette::Mid, QColor(160, 160, 160), QColor(160, 160, 160)},
        {QPalette::Dark, QColor(160, 160, 160), QColor(160, 160, 160)},
        {QPalette::Shadow, QColor(105, 105, 105), QColor(105, 105, 105)},
        {QPalette::Highlight, ClassicHighlight, QColor(191, 205, 219)},
        {QPalette::HighlightedText, ClassicWindow, ClassicWindow},
        {QPalette::Link, QColor(0, 0, 255), QColor(0, 0, 255)},
        {QPalette::LinkVisited, QColor(128, 0, 128), QColor(128, 0, 128)},
        {QPalette::ToolTipBase, QColor(255, 255, 225), QColor(255, 255, 225)},
        {QPalette::ToolTipText, black, black},
    };
    QPalette palette;
    for (const Role &entry : roles) {
        palette.setColor(QPalette::Active, entry.role, entry.active);
        palette.setColor(QPalette::Inactive, entry.role, entry.active);
        palette.setColor(QPalette::Disabled, entry.role, entry.disabled);
    }
    return palette;
}

void UseClassicLook(QWidget *window)
{
    const QPalette palette = ClassicPalette();
    window->setPalette(palette);
    // Pop-up menus are windows of their own: they take no palette from
    // their parent. The lists of drop-down boxes follow their box.
    for (QMenu *menu : window->findChildren<QMenu *>())
        menu->setPalette(palette);
    if (QStyle *style = PaletteStyle()) {
        for (QComboBox *list : window->findChildren<QComboBox *>())
            list->view(); // makes the pop-up list, so that it takes the style too
        window->setStyle(style);
        for (QWidget *widget : window->findChildren<QWidget *>())
            widget->setStyle(style);
    }
}

QFont DesignFont(const QString &family, qreal pointSize, bool bold, bool underline)
{
    InstallDesignedFonts();
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QFont Tahoma(bool bold, bool underline)
{
    return DesignFont(QStringLiteral("Tahoma"), 9.75, bold, underline);
}

void FitCaption(QLabel *label)
{
    // A caption keeps its size and baseline, in line with its neighbours: a
    // caption too wide is condensed first, and shrunk only beyond what
    // condensing can do, or where it is too tall.
    constexpr int NarrowestStretch = 70;
    QFont font = label->font();
    if (label->text().isEmpty() || FitWith(label, font, NoCover).whole())
        return;
    if (!FitWith(label, font, NoCover).across) {
        // Ink narrows in proportion: start from the proportional stretch, so
        // that few sizes of the face are made (each costs a font engine).
        const int room = LabelTextRect(label, font).width() - 1;
        const QRect ink = QFontMetrics(font).tightBoundingRect(label->text());
        const int needed = std::max(ink.width() + std::max(ink.left(), 0), 1);
        int stretch = std::clamp(100 * room / needed, NarrowestStretch, 99);
        font.setStretch(stretch);
        while (stretch > NarrowestStretch && !FitWith(label, font, NoCover).across)
            font.setStretch(--stretch);
    }
    label->setFont(Fitted(label, font));
}

void FitWrappedText(QLabel *label, const QFont &designed, int shownHeight)
{
    label->setFont(Fitted(label, designed, shownHeight));
}

bool TextFits(const QLabel *label, int shownHeight)
{
    return FitWith(label, label->font(), shownHeight).whole();
}

QString CaptionText(QStringView stored)
{
    return stored.toString().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void SetTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color);
    palette.setColor(QPalette::Disabled, QPalette::Text, color);
    widget->setPalette(palette);
}

void SetBackgroundColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace veltara
