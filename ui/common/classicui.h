// Small pieces shared by the program's windows: layout units, the fonts the
// windows were designed with, captions, and clickable link labels.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

#include <limits>

namespace veltara {

// Layout is designed in twips, 1440 to the logical inch. Pixels follow the
// screen's logical DPI, so the proportions hold on a high-DPI screen.
QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);

// The windows' fixed colours. They keep the classic light look on every
// desktop theme, dark ones included: the captions' fixed colours only read on
// a light ground.
inline const QColor ClassicWindow{255, 255, 255};
inline const QColor ClassicButtonFace{240, 240, 240};
inline const QColor ClassicHighlight{10, 36, 106};
// The full light palette the windows and their menus and lists are drawn
// with. Message boxes and tooltips follow the desktop theme.
QPalette ClassicPalette();
// Gives a window, its children and its pop-up menus the classic palette.
void UseClassicLook(QWidget *window);

QFont DesignFont(const QString &family, qreal pointSize, bool bold, bool underline = false);
QFont Tahoma(bool bold, bool underline = false);

// Condenses a one-line label's font until its caption fits its width, and
// shrinks it only where condensing to 70 % is not enough.
void FitCaption(QLabel *label);

// Sets a word-wrapped label's font to the designed one, shrunk as far as
// needed for its whole text to fit inside its border and margins, and above
// shownHeight where a control lying over the label hides the rest.
void FitWrappedText(QLabel *label, const QFont &designed, int shownHeight = std::numeric_limits<int>::max());

// Whether a label shows its whole text in its current font.
bool TextFits(const QLabel *label, int shownHeight = std::numeric_limits<int>::max());

// A caption as stored shows "&&" as one ampersand.
QString CaptionText(QStringView stored);

// Sets the text colour of a widget through its palette.
void SetTextColor(QWidget *widget, const QColor &color);
// Sets an opaque background colour through the palette.
void SetBackgroundColor(QWidget *widget, const QColor &color);

// Places a new child widget by its twips rectangle and names it.
template <typename Widget>
Widget *Place(QWidget *parent, const char *name, const QRect &twips)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

// A label of plain text placed by its twips rectangle and named.
template <typename Label = QLabel>
Label *MakeLabel(QWidget *parent, const char *name, const QRect &twips, const QString &caption, const QFont &font,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, const QString &tip = QString())
{
    auto *label = Place<Label>(parent, name, twips);
    label->setText(caption);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setToolTip(tip);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A push button that Return and keypad Enter press while it has the focus,
// as Space does, in any window.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A label that opens something when clicked with the mouse.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace veltara
