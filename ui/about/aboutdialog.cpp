#include "aboutdialog.h"

#include "classicui.h"
#include "messages.h"
#include "weblinks.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>

namespace veltara {

namespace {

// The three paragraphs of the description, each starting on a new line.
const QString Description = QStringLiteral(
    "Veltara Numerology Software Calculates your Name Number && Birth Number based on the ancient Hebrew System.\n"
    "Your name number is what determines your character.  It also determines what your Primary and Secondary colors are, the letters associated to you as well as the Elemental direction.\n"
    "Typically, your name number and your birth number should match.  You should use your full name (First Middle and Last) and if you are married you should use your maiden name.  Now, if your numbers don't match up....don't worry.  Try removing your middle name and/or try using your married name.");

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

template <typename Label = QLabel>
Label *AboutLabel(QWidget *parent, const char *name, const QRect &twips, const QString &caption, const QFont &font)
{
    Label *label = MakeLabel<Label>(parent, name, twips, CaptionText(caption), font);
    label->setWordWrap(true);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(WindowTitle());
    if (parent)
        setWindowIcon(parent->windowIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(TwipsSize(6390, 5430));

    auto *frame = new CaptionFrame(QStringLiteral("About Veltara Numerology Software"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(TwipsRect(120, 120, 6135, 5175));
    frame->setFont(Tahoma(true));
    // Filled with the title-bar text colour, white in the standard scheme.
    SetBackgroundColor(frame, ClassicPalette().color(QPalette::Active, QPalette::HighlightedText));

    const QColor white(255, 255, 255);
    QLabel *descriptionText = AboutLabel(frame, "Label1", {120, 360, 5895, 3015}, Description, Tahoma(false));
    SetTextColor(descriptionText, ClassicPalette().color(QPalette::ButtonText));

    QLabel *coBrandText = AboutLabel(frame, "Label3", {120, 3480, 5775, 615},
                                     QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &&  link here."),
                                     DesignFont(QStringLiteral("Verdana"), 9.75, false));

    QLabel *visitText =
        AboutLabel(frame, "Label2", {120, 4560, 5895, 495},
                   QStringLiteral("You may also visit Quorvale for more info and discussion on Numerology."),
                   Tahoma(false));

    auto *coBrandLink = AboutLabel<LinkLabel>(frame, "lblCoBrand", {1920, 3960, 3975, 240},
                                              QStringLiteral("Click Here for more info on Co-branding."),
                                              DesignFont(QStringLiteral("Verdana"), 9.75, false, true));
    coBrandLink->setWordWrap(false);
    coBrandLink->adjustSize(); // sized to fit its text
    SetTextColor(coBrandLink, QColor(0, 0, 255));
    for (QLabel *label : {descriptionText, coBrandText, visitText, static_cast<QLabel *>(coBrandLink)})
        SetBackgroundColor(label, white);

    auto *visitLink = AboutLabel<LinkLabel>(frame, "Label10", {1080, 4800, 3375, 255},
                                            QStringLiteral("Click Here To Visit Quorvale"), Tahoma(false, true));
    visitLink->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetTextColor(visitLink, QColor(255, 0, 0));

    // The links lie above the text labels they overlap.
    coBrandLink->raise();
    visitLink->raise();
    connect(coBrandLink, &LinkLabel::clicked, this, [] { OpenWebAddress(FullSiteAddress(SitePath::CoBrandInfo)); });
    connect(visitLink, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });

    UseClassicLook(this);
    SetBackgroundColor(this, ClassicWindow);
}

void AboutDialog::showModal(QWidget *parent)
{
    AboutDialog window(parent);
    window.exec();
}

} // namespace veltara
