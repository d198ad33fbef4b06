#include "form1.h"

#include "about.h"
#include "appfolder.h"
#include "appicon.h"
#include "classicui.h"
#include "messages.h"
#include "numerology.h"
#include "singleinstance.h"
#include "textunits.h"
#include "weblinks.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

#include <limits>

namespace veltara {

namespace {

// Twips between the designed outer size and the client area below the menu
// bar: the frame on both sides, and the title bar, menu bar and frame.
constexpr int FrameWidthTwips = 8160 - 8085;
constexpr int NonClientHeightTwips = 5750 - 5010;

const QColor CaptionBlue(128, 128, 255);
const QColor NumberGrey(128, 128, 128);
const QColor LinkRed(255, 0, 0);
const QColor BannerBlue(0, 0, 255);

QFont BannerFont(bool bold, bool underline)
{
    return DesignFont(QStringLiteral("Verdana"), 8.25, bold, underline);
}

QFont ResultCaptionFont()
{
    return DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);
}

// Places a new child widget by its twips rectangle and names it.
template <typename Widget>
Widget *Place(QWidget *parent, const char *name, const QRect &twips)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

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

void SetBordered(QLabel *label)
{
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
}

QComboBox *MakeList(QWidget *parent, const char *name, const QRect &twips)
{
    auto *list = Place<QComboBox>(parent, name, twips);
    list->setEditable(true);
    list->setFont(Tahoma(false));
    // Typed text stays as typed: nothing is completed, matched or added.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setDuplicatesEnabled(true);
    list->setMaxVisibleItems(12);
    return list;
}

QLineEdit *MakeNumberBox(QWidget *parent, const char *name, const QRect &twips, const QString &tip)
{
    auto *box = Place<QLineEdit>(parent, name, twips);
    box->setReadOnly(true);
    box->setFont(Tahoma(true));
    SetTextColor(box, NumberGrey);
    box->setTextMargins(0, 0, 0, 0);
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // as every text box
    box->setToolTip(tip);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

QLabel *MakePictureBox(QWidget *parent, const char *name, const QRect &twips, const QString &tip)
{
    auto *box = Place<QLabel>(parent, name, twips);
    box->setScaledContents(true);
    box->setToolTip(tip);
    return box;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Veltara Numerology Software v1.40"));
    setWindowIcon(ApplicationIcon());
    // A close box, and neither a minimise nor a maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    SetBackgroundColor(client, Qt::white);
    setCentralWidget(client);

    createMenus();
    createInputArea();
    createResultArea();
    setFocusOrder();
    setAccessibility();
    UseClassicLook(this);
    for (QLabel *caption : {Label13, Label7, Label4, Label8, Label1, Label5, Label3, Label6, Label9, Label11})
        FitCaption(caption);
    SetWindowSize(CompactWidth, CompactHeight);
}

void Form1::createMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, auto command) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, command);
        return item;
    };
    auto separator = [](QMenu *menu, const char *name) { menu->addSeparator()->setObjectName(QLatin1String(name)); };

    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    action(mnuFile, "mnuCalc", QStringLiteral("&Calculate"), &Form1::Calculate);
    action(mnuFile, "mnuClr", QStringLiteral("C&lear"), &Form1::Clear);
    separator(mnuFile, "mnuBl");
    action(mnuFile, "mnuVOS", QStringLiteral("&Visit Quorvale"), [] { OpenWebAddress(BareSiteAddress()); });
    separator(mnuFile, "mnuS");
    action(mnuFile, "mnuExit", QStringLiteral("E&xit"), &Form1::close);

    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    action(mnuHelp, "mnuhp", QStringLiteral("&Onlline Help Pages"),
           [] { OpenWebAddress(FullSiteAddress(SitePath::HelpPages)); });
    action(mnuHelp, "mnuUpdates", QStringLiteral("Check For Updates"), [] { OpenSitePage(PageKey::Download); });
    separator(mnuHelp, "mnuhps");
    action(mnuHelp, "mnuAbt", QStringLiteral("&About Software"), [this] { Form2::ShowModal(this); });
    action(mnuHelp, "mnuVS", QStringLiteral("&Visit Quorvale"), [] { OpenWebAddress(BareSiteAddress()); });

    QAction *mnuDonate = menuBar()->addAction(QStringLiteral("Donate"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    connect(mnuDonate, &QAction::triggered, this, [] { OpenWebAddress(BareSiteAddress(SitePath::Donate)); });
}

void Form1::createInputArea()
{
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;

    Label10 = MakeLabel<LinkLabel>(client, "Label10", {120, 120, 3735, 255}, QStringLiteral("Click Here To Visit Quorvale"),
                                   Tahoma(true, true), centred);
    SetTextColor(Label10, LinkRed);
    connect(Label10, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });

    Label13 = MakeLabel(client, "Label13", {120, 550, 1455, 375}, QStringLiteral("Your Full Name"), Tahoma(true));

    Text1 = Place<QLineEdit>(client, "Text1", {120, 810, 3735, 360});
    Text1->setFont(Tahoma(false));
    Text1->setToolTip(QStringLiteral("Enter letters and spaces only."));
    Text1->setMaxLength(std::numeric_limits<int>::max()); // no length limit
    Text1->installEventFilter(this);

    Label7 = MakeLabel(client, "Label7", {240, 1200, 495, 255}, QStringLiteral("Day"), Tahoma(true));
    Label4 = MakeLabel(client, "Label4", {1320, 1200, 615, 255}, QStringLiteral("Month"), Tahoma(true));
    Label8 = MakeLabel(client, "Label8", {2880, 1200, 615, 255}, QStringLiteral("Year"), Tahoma(true));

    myday = MakeList(client, "myday", {120, 1470, 735, 360});
    Combo1 = MakeList(client, "Combo1", {840, 1470, 1695, 360});
    Combo1->addItems({QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                      QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"), QStringLiteral("July"),
                      QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"),
                      QStringLiteral("November"), QStringLiteral("December")});
    myyear = MakeList(client, "myyear", {2520, 1470, 1335, 360});

    Label1 = MakeLabel(client, "Label1", {120, 1920, 1215, 255}, QStringLiteral("Name Number"), Tahoma(true),
                       Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("Lets you know that the number that appears to the right of here is your name number."));
    SetTextColor(Label1, CaptionBlue);
    Text2 = MakeNumberBox(client, "Text2", {1440, 1920, 255, 285}, QStringLiteral("Your name number."));
    Label5 = MakeLabel(client, "Label5", {2160, 1920, 1215, 255}, QStringLiteral("Birth Number"), Tahoma(true),
                       Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("This one lets you know your number to the right of here is your birth number."));
    SetTextColor(Label5, CaptionBlue);
    Text7 = MakeNumberBox(client, "Text7", {3480, 1920, 255, 285}, QStringLiteral("This is your birth number."));

    Option2 = Place<CommandButton>(client, "Option2", {1560, 2280, 975, 375});
    Option2->setText(QStringLiteral("Clear"));
    Option2->setFont(Tahoma(true));
    connect(Option2, &QPushButton::clicked, this, &Form1::Clear);
    option1 = Place<CommandButton>(client, "option1", {2640, 2280, 1215, 375});
    option1->setText(QStringLiteral("Calculate"));
    option1->setFont(Tahoma(true));
    connect(option1, &QPushButton::clicked, this, &Form1::Calculate);

    searcher = Place<QProgressBar>(client, "searcher", {120, 2760, 3735, 255});
    searcher->setRange(0, 100);
    searcher->setValue(0);
    searcher->setTextVisible(false);

    Text6 = Place<QLineEdit>(client, "Text6", {4560, 5640, 855, 285});
    Text6->setMaxLength(static_cast<int>(BirthDigitsMaxLength));
    Text6->setToolTip(QStringLiteral("This is where your birthdate goes.  Enter numbers only."));
    Text6->setFocusPolicy(Qt::NoFocus);
    Text6->hide();
}

void Form1::createResultArea()
{
    const auto centred = Qt::AlignCenter;

    planet = MakeLabel(client, "planet", {4200, 240, 1275, 255}, QString(), ResultCaptionFont(), centred,
                       QStringLiteral("This is the name of the planet associated with you."));
    SetBordered(planet);
    Image1 = MakePictureBox(client, "Image1", {4200, 480, 1275, 1605},
                            QStringLiteral("Here is the ultra cool picture I drew to represent the planet associated with you."));
    Label3 = MakeLabel(client, "Label3", {5640, 480, 855, 255}, QStringLiteral("Element"), Tahoma(true), centred,
                       QStringLiteral("This is the element box.  Only four things live in here."));
    SetTextColor(Label3, CaptionBlue);
    elements = MakeLabel(client, "elements", {5640, 840, 855, 255}, QString(), Tahoma(false), centred,
                         QStringLiteral("Element related to your name number."));
    SetBordered(elements);
    Label6 = MakeLabel(client, "Label6", {5640, 1320, 855, 255}, QStringLiteral("Letters"), Tahoma(true), centred,
                       QStringLiteral("This is the letters box.  Up to three things live in here at any given time."));
    SetTextColor(Label6, CaptionBlue);
    letters = MakeLabel(client, "letters", {5640, 1680, 855, 255}, QString(), Tahoma(false), centred,
                        QStringLiteral("Letters associated with your name number."));
    SetBordered(letters);

    zodiac = MakeLabel(client, "zodiac", {6600, 240, 1275, 255}, QString(), ResultCaptionFont(), centred,
                       QStringLiteral("This is the Zodiac associated with you."));
    SetBordered(zodiac);
    Image2 = MakePictureBox(client, "Image2", {6600, 480, 1275, 1605},
                            QStringLiteral("Here is the ultra cool drawing I made of the Zodiac that is associated to you."));

    Label9 = MakeLabel(client, "Label9", {4200, 2160, 1695, 255}, QStringLiteral("Primary Colors"), Tahoma(true),
                       Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("Just a label to let you know that the names of colors below here are your primary colors."));
    SetTextColor(Label9, CaptionBlue);
    Label11 = MakeLabel(client, "Label11", {6120, 2160, 1755, 255}, QStringLiteral("Secondary Colors"), Tahoma(true),
                        Qt::AlignHCenter | Qt::AlignTop,
                        QStringLiteral("Just a label to let you know that the names of colors below here are your secondary colors."));
    SetTextColor(Label11, CaptionBlue);
    pcolors = MakeLabel(client, "pcolors", {4200, 2520, 1755, 495}, QString(), Tahoma(false), Qt::AlignLeft | Qt::AlignTop,
                        QStringLiteral("Here is your list of primary colors."));
    SetBordered(pcolors);
    pcolors->setWordWrap(true);
    scolors = MakeLabel(client, "scolors", {6120, 2520, 1755, 495}, QString(), Tahoma(false), Qt::AlignLeft | Qt::AlignTop,
                        QStringLiteral("Here is your list of secondary colors."));
    SetBordered(scolors);
    scolors->setWordWrap(true);

    Label2 = MakeLabel(client, "Label2", {120, 3120, 7815, 1575}, QString(), Tahoma(false));
    Label2->setWordWrap(true);
    SetTextColor(Label2, ClassicHighlight);

    lblFullBrand = MakeLabel<LinkLabel>(
        client, "lblFullBrand", {0, 4320, 6345, 615},
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details."),
        BannerFont(true, true), centred);
    lblCobrand = MakeLabel<LinkLabel>(
        client, "lblCobrand", {0, 4320, 6345, 615},
        CaptionText(u"Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &&  link here. See \"Help\" for details.    Click Here for more info on co-branding."),
        BannerFont(true, true), centred);
    for (LinkLabel *banner : {lblFullBrand, lblCobrand}) {
        banner->setWordWrap(true);
        SetTextColor(banner, BannerBlue);
        SetBackgroundColor(banner, ClassicButtonFace);
    }
    lblCobrand->raise(); // covers the full-branding banner
    connect(lblFullBrand, &LinkLabel::clicked, this, [] { OpenSitePage(PageKey::FullyBranded); });
    connect(lblCobrand, &LinkLabel::clicked, this, [] { OpenSitePage(PageKey::CoBrand); });

    Label12 = MakeLabel<LinkLabel>(client, "Label12", {6480, 4320, 1455, 615},
                                   QStringLiteral("Co-brand this software. See help for details"), BannerFont(false, false),
                                   centred);
    Label12->setWordWrap(true);
    Label12->unsetCursor();
    SetBordered(Label12);
    FitWrappedText(lblCobrand, lblCobrand->font());
    FitWrappedText(lblFullBrand, lblFullBrand->font());
    FitWrappedText(Label12, Label12->font());
    connect(Label12, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });
}

void Form1::setFocusOrder()
{
    setTabOrder(Text1, myday);
    setTabOrder(myday, Combo1);
    setTabOrder(Combo1, myyear);
    setTabOrder(myyear, option1);
    setTabOrder(option1, Option2);
}

void Form1::setAccessibility()
{
    // Inputs and number boxes are named after the label that introduces them.
    const std::pair<QWidget *, QLabel *> introduced[] = {
        {Text1, Label13}, {myday, Label7}, {Combo1, Label4}, {myyear, Label8}, {Text2, Label1}, {Text7, Label5},
    };
    for (const auto &[field, label] : introduced) {
        field->setAccessibleName(label->text());
        label->setBuddy(field);
    }
    Image1->setAccessibleName(QStringLiteral("Planet picture"));
    Image2->setAccessibleName(QStringLiteral("Zodiac picture"));
    searcher->setAccessibleName(QStringLiteral("Progress"));
    for (QWidget *widget : client->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty())
            widget->setAccessibleDescription(widget->toolTip());
    }
}

void Form1::SetWindowSize(int widthTwips, int heightTwips)
{
    const QSize clientSize = TwipsSize(widthTwips - FrameWidthTwips, heightTwips - NonClientHeightTwips);
    setFixedSize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

void Form1::setInputsEditable(bool editable)
{
    QWidget *const inputs[] = {Text1, myday, myyear, Combo1};
    // A disabled control cannot keep the focus, and the toolkit would hand
    // it on to the next control. It rests on the client area instead, and
    // goes back to its control when the inputs are enabled again, unless
    // the user has put it elsewhere meanwhile.
    if (!editable) {
        const QWidget *focus = focusWidget();
        for (QWidget *input : inputs) {
            if (focus && (focus == input || input->isAncestorOf(focus))) {
                frozenFocus = input;
                client->setFocus(Qt::OtherFocusReason);
            }
        }
    }
    for (QWidget *input : inputs)
        input->setEnabled(editable);
    if (editable && frozenFocus) {
        if (focusWidget() == client)
            frozenFocus->setFocus(Qt::OtherFocusReason);
        frozenFocus = nullptr;
    }
}

ReadingControls Form1::readingControls()
{
    ReadingControls controls;
    controls.nameNumber = Text2;
    controls.birthDigits = Text6;
    controls.characterText = Label2;
    controls.planet = planet;
    controls.planetPicture = Image1;
    controls.element = elements;
    controls.letters = letters;
    controls.primaryColor = pcolors;
    controls.secondaryColors = scolors;
    controls.zodiac = zodiac;
    controls.zodiacPicture = Image2;
    controls.progress = searcher;
    controls.clear = [this] { Clear(); };
    return controls;
}

bool Form1::Load()
{
    const QPixmap probe = LoadPicture(u"\\pu\\sun.jpg");
    if (probe.isNull()) {
        MsgBox(QStringLiteral("Pictures Folder Is Missing\r\nPictures Have Been Moved Or Deleted."),
               MsgStyle::OkOnly + MsgStyle::Critical, QStringLiteral("Please Reinstall The Software"));
        return false;
    }
    Clear();
    QStringList years;
    for (int year = 1900; year <= 2010; ++year)
        years.append(QString::number(year));
    // Filling a list picks its first item; the lists stay as Clear left them,
    // with no item picked.
    myyear->addItems(years);
    myyear->setCurrentIndex(-1);
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days.append(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
    myday->addItems(days);
    myday->setCurrentIndex(-1);
    return true;
}

void Form1::Clear()
{
    setInputsEditable(true);
    Text1->setReadOnly(false);
    Text6->setReadOnly(false);
    SetWindowSize(CompactWidth, CompactHeight);
    for (QLabel *caption : {planet, zodiac, elements, letters, pcolors, scolors})
        caption->clear();
    Image1->clear();
    Image2->clear();
    for (QLineEdit *box : {Text1, Text2, Text6, Text7})
        box->clear();
    // An empty list picks no item: Down then gives the first one, and the
    // opened list marks none.
    for (QComboBox *list : {Combo1, myday, myyear}) {
        list->setCurrentIndex(-1);
        list->clearEditText();
    }
    Label2->clear();
}

void Form1::Calculate()
{
    setInputsEditable(false);

    const BirthDigitsResult birth = BirthDigits(Units(Combo1->currentText()), Units(myday->currentText()),
                                                Units(myyear->currentText()), Units(Text6->text()));
    myday->setEditText(ToQString(birth.paddedDay));
    Text6->setText(ToQString(birth.digits));

    Text1->setReadOnly(true);
    Text6->setReadOnly(true);

    if (Combo1->currentText().isEmpty() || myday->currentText().isEmpty() || myyear->currentText().isEmpty()) {
        MsgBox(QStringLiteral("You Have Entered An Invalid Birthdate.  Please Retry."), MsgStyle::OkOnly + MsgStyle::Information);
        Clear();
        return;
    }
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("You Must Enter Your Full Name."), MsgStyle::OkOnly, QStringLiteral("Missing Information"));
        Clear();
        return;
    }

    Text2->setText(QString::number(CalcNameNumber(Units(Text1->text()))));
    Text7->setText(QString::number(CalcBirthNumber(Units(Text6->text()))));
    const ReadingControls controls = readingControls();
    ShowCharacter(controls);
    ShowZodiacSign(controls);
    ShowPlanet(controls);
    ShowColours(controls);
    // Texts too long for their boxes are condensed or shrunk, never cut off.
    for (QLabel *box : {planet, zodiac, elements, letters}) {
        box->setFont(box == planet || box == zodiac ? ResultCaptionFont() : Tahoma(false));
        FitCaption(box);
    }
    FitWrappedText(pcolors, Tahoma(false));
    FitWrappedText(scolors, Tahoma(false));
    // The banners lie over the lower part of the character text.
    FitWrappedText(Label2, Tahoma(false), lblCobrand->y() - Label2->y());

    searcher->hide();
    SetWindowSize(ExpandedWidth, ExpandedHeight);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // The name field refuses digits: the message first, then the digit (and
    // any selection it would have replaced) is gone.
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed.size() == 1 && typed.front() >= QLatin1Char('0') && typed.front() <= QLatin1Char('9')) {
            MsgBox(QStringLiteral("Enter Alphabetical Letters Only."));
            if (Text1->hasSelectedText() && !Text1->isReadOnly())
                Text1->del();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    QuitApplication();
}

} // namespace veltara
