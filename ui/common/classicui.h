// Small pieces shared by the program's windows: layout units, the fonts the
// windows were designed with, captions, and clickable link labels.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

namespace veltara {

// Layout is designed in twips, 1440 to the logical inch. Pixels follow the
// screen's logical DPI, so the proportions hold on a high-DPI screen.
int TwipsToPixels(int twips);
QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);

// The designed faces ("Tahoma", "Verdana", "MS Sans Serif") fall back to the
// closest installed sans-serif face. Safe to call more than once.
void InstallFontFallbacks();
QFont DesignFont(const QString &family, qreal pointSize, bool bold, bool underline = false);
QFont Tahoma(bool bold, bool underline = false);

// Shrinks a one-line label's font until its caption fits its width, for
// fallback faces that run wider than the designed one.
void FitCaption(QLabel *label);

// Sets a word-wrapped label's font to the designed one, shrunk as far as
// needed for its whole text to fit the label's height.
void FitWrappedText(QLabel *label, const QFont &designed);

// A caption as stored shows "&&" as one ampersand.
QString CaptionText(QStringView stored);

// Sets the text colour of a widget through its palette.
void SetTextColor(QWidget *widget, const QColor &color);
// Sets an opaque background colour through the palette.
void SetBackgroundColor(QWidget *widget, const QColor &color);

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
