#include "about.h"

#include "classicui.h"
#include "weblinks.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>

namespace veltara {

namespace {

// The three paragraphs of the description, each starting on a new line.
const QString Description[] = {
    QStringLiteral("Veltara Numerology Software Calculates your Name Number && Birth Number based on the ancient Hebrew System."),
    QStringLiteral("Your name number is what determines your character.  It also determines what your Primary and Secondary colors are, the letters associated to you as well as the Elemental direction."),
    QStringLiteral("Typically, your name number and your birth number should match.  You should use your full name (First Middle and Last) and if you are married you should use your maiden name.  Now, if your numbers don't match up....don't worry.  Try removing your middle name and/or try using your married name."),
};

// A frame with its caption on its border, drawn from the palette alone: a
// style's own group-box panel would tint the white, and a style sheet would
// cut its labels off from the window's palette.
class CaptionFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect border(0, metrics.height() / 2, width() - 1, height() - metrics.height() / 2 - 1);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(border);
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextHideMnemonic, title());
    }
};

QLabel *AboutLabel(QLabel *label, const char *name, const QRect &twips, const QString &caption,
                   const QFont &font)
{
    label->setObjectName(QLatin1String(name));
    label->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setText(CaptionText(caption));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

Form2::Form2(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Veltara Numerology Software v1.40"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(TwipsSize(6390, 5430));

    Frame1 = new CaptionFrame(QStringLiteral("About Veltara Numerology Software"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwipsRect(120, 120, 6135, 5175));
    Frame1->setFont(Tahoma(true));
    // Filled with the title-bar text colour, white in the standard scheme.
    SetBackgroundColor(Frame1, ClassicPalette().color(QPalette::Active, QPalette::HighlightedText));

    const QColor white(255, 255, 255);
    Label1 = AboutLabel(new QLabel(Frame1), "Label1", {120, 360, 5895, 3015},
                        Description[0] + QLatin1Char('\n') + Description[1] + QLatin1Char('\n') + Description[2],
                        Tahoma(false));
    SetBackgroundColor(Label1, white);
    SetTextColor(Label1, ClassicPalette().color(QPalette::ButtonText));

    Label3 = AboutLabel(new QLabel(Frame1), "Label3", {120, 3480, 5775, 615},
                        QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &&  link here."),
                        DesignFont(QStringLiteral("Verdana"), 9.75, false));
    SetBackgroundColor(Label3, white);

    Label2 = AboutLabel(new QLabel(Frame1), "Label2", {120, 4560, 5895, 495},
                        QStringLiteral("You may also visit Quorvale for more info and discussion on Numerology."), Tahoma(false));
    SetBackgroundColor(Label2, white);

    lblCoBrand = new LinkLabel(Frame1);
    AboutLabel(lblCoBrand, "lblCoBrand", {1920, 3960, 3975, 240},
               QStringLiteral("Click Here for more info on Co-branding."),
               DesignFont(QStringLiteral("Verdana"), 9.75, false, true));
    lblCoBrand->setWordWrap(false);
    lblCoBrand->adjustSize(); // sized to fit its text
    SetTextColor(lblCoBrand, QColor(0, 0, 255));
    SetBackgroundColor(lblCoBrand, white);

    Label10 = new LinkLabel(Frame1);
    AboutLabel(Label10, "Label10", {1080, 4800, 3375, 255}, QStringLiteral("Click Here To Visit Quorvale"),
               Tahoma(false, true));
    Label10->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetTextColor(Label10, QColor(255, 0, 0));

    // The links lie above the text labels they overlap.
    lblCoBrand->raise();
    Label10->raise();
    connect(lblCoBrand, &LinkLabel::clicked, this, [] { OpenWebAddress(FullSiteAddress(SitePath::CoBrandInfo)); });
    connect(Label10, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });

    UseClassicLook(this);
    SetBackgroundColor(this, ClassicWindow);
}

void Form2::ShowModal(QWidget *parent)
{
    Form2 window(parent);
    window.exec();
}

} // namespace veltara
