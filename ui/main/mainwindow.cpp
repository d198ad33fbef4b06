#include "mainwindow.h"

#include "aboutdialog.h"
#include "appfolder.h"
#include "appicon.h"
#include "classicui.h"
#include "messages.h"
#include "numerology.h"
#include "reading.h"
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

// A blue caption that introduces a number or a box of the reading.
QLabel *MakeBlueCaption(QWidget *parent, const char *name, const QRect &twips, const QString &caption,
                        Qt::Alignment alignment, const QString &tip)
{
    QLabel *label = MakeLabel(parent, name, twips, caption, Tahoma(true), alignment, tip);
    SetTextColor(label, CaptionBlue);
    return label;
}

// A bordered box of the reading, empty until Calculate fills it.
QLabel *MakeResultBox(QWidget *parent, const char *name, const QRect &twips, const QFont &font,
                      Qt::Alignment alignment, const QString &tip)
{
    QLabel *box = MakeLabel(parent, name, twips, QString(), font, alignment, tip);
    SetBordered(box);
    return box;
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

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(WindowTitle());
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
    for (QLabel *caption : {nameCaption, dayCaption, monthCaption, yearCaption, nameNumberCaption, birthNumberCaption,
                            elementCaption, lettersCaption, primaryColoursCaption, secondaryColoursCaption})
        FitCaption(caption);
    SetWindowSize(CompactWidth, CompactHeight);
}

void MainWindow::createMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, auto command) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, command);
        return item;
    };
    auto separator = [](QMenu *menu, const char *name) { menu->addSeparator()->setObjectName(QLatin1String(name)); };

    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    action(fileMenu, "mnuCalc", QStringLiteral("&Calculate"), &MainWindow::Calculate);
    action(fileMenu, "mnuClr", QStringLiteral("C&lear"), &MainWindow::Clear);
    separator(fileMenu, "mnuBl");
    action(fileMenu, "mnuVOS", QStringLiteral("&Visit Quorvale"), [] { OpenWebAddress(BareSiteAddress()); });
    separator(fileMenu, "mnuS");
    action(fileMenu, "mnuExit", QStringLiteral("E&xit"), &MainWindow::close);

    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    action(helpMenu, "mnuhp", QStringLiteral("&Onlline Help Pages"),
           [] { OpenWebAddress(FullSiteAddress(SitePath::HelpPages)); });
    action(helpMenu, "mnuUpdates", QStringLiteral("Check For Updates"), [] { OpenSitePage(PageKey::Download); });
    separator(helpMenu, "mnuhps");
    action(helpMenu, "mnuAbt", QStringLiteral("&About Software"), [this] { AboutDialog::ShowModal(this); });
    action(helpMenu, "mnuVS", QStringLiteral("&Visit Quorvale"), [] { OpenWebAddress(BareSiteAddress()); });

    QAction *donateAction = menuBar()->addAction(QStringLiteral("Donate"));
    donateAction->setObjectName(QStringLiteral("mnuDonate"));
    connect(donateAction, &QAction::triggered, this, [] { OpenWebAddress(BareSiteAddress(SitePath::Donate)); });
}

void MainWindow::createInputArea()
{
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;

    visitLink = MakeLabel<LinkLabel>(client, "Label10", {120, 120, 3735, 255},
                                     QStringLiteral("Click Here To Visit Quorvale"), Tahoma(true, true), centred);
    SetTextColor(visitLink, LinkRed);
    connect(visitLink, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });

    nameCaption = MakeLabel(client, "Label13", {120, 550, 1455, 375}, QStringLiteral("Your Full Name"), Tahoma(true));

    nameEdit = Place<QLineEdit>(client, "Text1", {120, 810, 3735, 360});
    nameEdit->setFont(Tahoma(false));
    nameEdit->setToolTip(QStringLiteral("Enter letters and spaces only."));
    nameEdit->setMaxLength(std::numeric_limits<int>::max()); // no length limit
    nameEdit->installEventFilter(this);

    dayCaption = MakeLabel(client, "Label7", {240, 1200, 495, 255}, QStringLiteral("Day"), Tahoma(true));
    monthCaption = MakeLabel(client, "Label4", {1320, 1200, 615, 255}, QStringLiteral("Month"), Tahoma(true));
    yearCaption = MakeLabel(client, "Label8", {2880, 1200, 615, 255}, QStringLiteral("Year"), Tahoma(true));

    dayList = MakeList(client, "myday", {120, 1470, 735, 360});
    monthList = MakeList(client, "Combo1", {840, 1470, 1695, 360});
    monthList->addItems({QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                         QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"), QStringLiteral("July"),
                         QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"),
                         QStringLiteral("November"), QStringLiteral("December")});
    yearList = MakeList(client, "myyear", {2520, 1470, 1335, 360});

    const auto left = Qt::AlignLeft | Qt::AlignTop;
    nameNumberCaption = MakeBlueCaption(client, "Label1", {120, 1920, 1215, 255}, QStringLiteral("Name Number"), left,
        QStringLiteral("Lets you know that the number that appears to the right of here is your name number."));
    nameNumberBox = MakeNumberBox(client, "Text2", {1440, 1920, 255, 285}, QStringLiteral("Your name number."));
    birthNumberCaption = MakeBlueCaption(client, "Label5", {2160, 1920, 1215, 255}, QStringLiteral("Birth Number"), left,
        QStringLiteral("This one lets you know your number to the right of here is your birth number."));
    birthNumberBox = MakeNumberBox(client, "Text7", {3480, 1920, 255, 285}, QStringLiteral("This is your birth number."));

    clearButton = Place<CommandButton>(client, "Option2", {1560, 2280, 975, 375});
    clearButton->setText(QStringLiteral("Clear"));
    clearButton->setFont(Tahoma(true));
    connect(clearButton, &QPushButton::clicked, this, &MainWindow::Clear);
    calculateButton = Place<CommandButton>(client, "option1", {2640, 2280, 1215, 375});
    calculateButton->setText(QStringLiteral("Calculate"));
    calculateButton->setFont(Tahoma(true));
    connect(calculateButton, &QPushButton::clicked, this, &MainWindow::Calculate);

    progressBar = Place<QProgressBar>(client, "searcher", {120, 2760, 3735, 255});
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);

    birthDigitsBox = Place<QLineEdit>(client, "Text6", {4560, 5640, 855, 285});
    birthDigitsBox->setMaxLength(static_cast<int>(BirthDigitsMaxLength));
    birthDigitsBox->setToolTip(QStringLiteral("This is where your birthdate goes.  Enter numbers only."));
    birthDigitsBox->setFocusPolicy(Qt::NoFocus);
    birthDigitsBox->hide();
}

void MainWindow::createResultArea()
{
    const auto centred = Qt::AlignCenter;

    const auto left = Qt::AlignLeft | Qt::AlignTop;

    planet = MakeResultBox(client, "planet", {4200, 240, 1275, 255}, ResultCaptionFont(), centred,
                           QStringLiteral("This is the name of the planet associated with you."));
    planetPicture = MakePictureBox(client, "Image1", {4200, 480, 1275, 1605},
        QStringLiteral("Here is the ultra cool picture I drew to represent the planet associated with you."));
    elementCaption = MakeBlueCaption(client, "Label3", {5640, 480, 855, 255}, QStringLiteral("Element"), centred,
                                     QStringLiteral("This is the element box.  Only four things live in here."));
    elementBox = MakeResultBox(client, "elements", {5640, 840, 855, 255}, Tahoma(false), centred,
                               QStringLiteral("Element related to your name number."));
    lettersCaption = MakeBlueCaption(client, "Label6", {5640, 1320, 855, 255}, QStringLiteral("Letters"), centred,
        QStringLiteral("This is the letters box.  Up to three things live in here at any given time."));
    letters = MakeResultBox(client, "letters", {5640, 1680, 855, 255}, Tahoma(false), centred,
                            QStringLiteral("Letters associated with your name number."));

    zodiac = MakeResultBox(client, "zodiac", {6600, 240, 1275, 255}, ResultCaptionFont(), centred,
                           QStringLiteral("This is the Zodiac associated with you."));
    zodiacPicture = MakePictureBox(client, "Image2", {6600, 480, 1275, 1605},
        QStringLiteral("Here is the ultra cool drawing I made of the Zodiac that is associated to you."));

    primaryColoursCaption = MakeBlueCaption(client, "Label9", {4200, 2160, 1695, 255}, QStringLiteral("Primary Colors"), left,
        QStringLiteral("Just a label to let you know that the names of colors below here are your primary colors."));
    secondaryColoursCaption = MakeBlueCaption(client, "Label11", {6120, 2160, 1755, 255},
        QStringLiteral("Secondary Colors"), Qt::AlignHCenter | Qt::AlignTop,
        QStringLiteral("Just a label to let you know that the names of colors below here are your secondary colors."));
    primaryColoursBox = MakeResultBox(client, "pcolors", {4200, 2520, 1755, 495}, Tahoma(false), left,
                                      QStringLiteral("Here is your list of primary colors."));
    primaryColoursBox->setWordWrap(true);
    secondaryColoursBox = MakeResultBox(client, "scolors", {6120, 2520, 1755, 495}, Tahoma(false), left,
                                        QStringLiteral("Here is your list of secondary colors."));
    secondaryColoursBox->setWordWrap(true);

    characterText = MakeLabel(client, "Label2", {120, 3120, 7815, 1575}, QString(), Tahoma(false));
    characterText->setWordWrap(true);
    SetTextColor(characterText, ClassicHighlight);

    fullBrandBanner = MakeLabel<LinkLabel>(
        client, "lblFullBrand", {0, 4320, 6345, 615},
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details."),
        BannerFont(true, true), centred);
    coBrandBanner = MakeLabel<LinkLabel>(
        client, "lblCobrand", {0, 4320, 6345, 615},
        CaptionText(u"Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &&  link here. See \"Help\" for details.    Click Here for more info on co-branding."),
        BannerFont(true, true), centred);
    for (LinkLabel *banner : {fullBrandBanner, coBrandBanner}) {
        banner->setWordWrap(true);
        SetTextColor(banner, BannerBlue);
        SetBackgroundColor(banner, ClassicButtonFace);
    }
    coBrandBanner->raise(); // covers the full-branding banner
    connect(fullBrandBanner, &LinkLabel::clicked, this, [] { OpenSitePage(PageKey::FullyBranded); });
    connect(coBrandBanner, &LinkLabel::clicked, this, [] { OpenSitePage(PageKey::CoBrand); });

    coBrandLink = MakeLabel<LinkLabel>(client, "Label12", {6480, 4320, 1455, 615},
                                       QStringLiteral("Co-brand this software. See help for details"),
                                       BannerFont(false, false), centred);
    coBrandLink->setWordWrap(true);
    coBrandLink->unsetCursor();
    SetBordered(coBrandLink);
    FitWrappedText(coBrandBanner, coBrandBanner->font());
    FitWrappedText(fullBrandBanner, fullBrandBanner->font());
    FitWrappedText(coBrandLink, coBrandLink->font());
    connect(coBrandLink, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });
}

void MainWindow::setFocusOrder()
{
    setTabOrder(nameEdit, dayList);
    setTabOrder(dayList, monthList);
    setTabOrder(monthList, yearList);
    setTabOrder(yearList, calculateButton);
    setTabOrder(calculateButton, clearButton);
}

void MainWindow::setAccessibility()
{
    // Inputs and number boxes are named after the label that introduces them.
    const std::pair<QWidget *, QLabel *> introduced[] = {
        {nameEdit, nameCaption}, {dayList, dayCaption}, {monthList, monthCaption}, {yearList, yearCaption},
        {nameNumberBox, nameNumberCaption}, {birthNumberBox, birthNumberCaption},
    };
    for (const auto &[field, label] : introduced) {
        field->setAccessibleName(label->text());
        label->setBuddy(field);
    }
    planetPicture->setAccessibleName(QStringLiteral("Planet picture"));
    zodiacPicture->setAccessibleName(QStringLiteral("Zodiac picture"));
    progressBar->setAccessibleName(QStringLiteral("Progress"));
    for (QWidget *widget : client->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty())
            widget->setAccessibleDescription(widget->toolTip());
    }
}

void MainWindow::SetWindowSize(int widthTwips, int heightTwips)
{
    const QSize clientSize = TwipsSize(widthTwips - FrameWidthTwips, heightTwips - NonClientHeightTwips);
    setFixedSize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

void MainWindow::setInputsEditable(bool editable)
{
    QWidget *const inputs[] = {nameEdit, dayList, yearList, monthList};
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

bool MainWindow::Load()
{
    const QPixmap probe = LoadPicture(u"sun.jpg");
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
    yearList->addItems(years);
    yearList->setCurrentIndex(-1);
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days.append(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
    dayList->addItems(days);
    dayList->setCurrentIndex(-1);
    return true;
}

void MainWindow::Clear()
{
    setInputsEditable(true);
    nameEdit->setReadOnly(false);
    birthDigitsBox->setReadOnly(false);
    SetWindowSize(CompactWidth, CompactHeight);
    for (QLabel *caption : {planet, zodiac, elementBox, letters, primaryColoursBox, secondaryColoursBox})
        caption->clear();
    planetPicture->clear();
    zodiacPicture->clear();
    for (QLineEdit *box : {nameEdit, nameNumberBox, birthDigitsBox, birthNumberBox})
        box->clear();
    // An empty list picks no item: Down then gives the first one, and the
    // opened list marks none.
    for (QComboBox *list : {monthList, dayList, yearList}) {
        list->setCurrentIndex(-1);
        list->clearEditText();
    }
    characterText->clear();
}

void MainWindow::Calculate()
{
    setInputsEditable(false);

    const QString name = nameEdit->text(), day = dayList->currentText(), month = monthList->currentText(),
                  year = yearList->currentText(), digits = birthDigitsBox->text();
    Reading reading;
    MakeReading({Units(name), Units(day), Units(month), Units(year), Units(digits)}, reading);
    dayList->setEditText(ToQString(reading.paddedDay));
    birthDigitsBox->setText(ToQString(reading.birthDigits));

    nameEdit->setReadOnly(true);
    birthDigitsBox->setReadOnly(true);

    const QString refusal = ToQString(RefusalText(reading.outcome));
    if (reading.outcome == ReadingOutcome::InvalidBirthdate) {
        MsgBox(refusal, MsgStyle::OkOnly + MsgStyle::Information);
        Clear();
        return;
    }
    if (reading.outcome == ReadingOutcome::MissingName) {
        MsgBox(refusal, MsgStyle::OkOnly, QStringLiteral("Missing Information"));
        Clear();
        return;
    }

    nameNumberBox->setText(QString::number(reading.nameNumber));
    birthNumberBox->setText(QString::number(reading.birthNumber));
    const NameProfile *profile = reading.profile;
    showCharacter(profile);
    // A date no zodiac row covers clears the window, name number and all.
    if (!showZodiacSign(reading.zodiac))
        profile = nullptr;
    showPlanet(profile);
    showColours(profile);
    // Texts too long for their boxes are condensed or shrunk, never cut off.
    for (QLabel *box : {planet, zodiac, elementBox, letters}) {
        box->setFont(box == planet || box == zodiac ? ResultCaptionFont() : Tahoma(false));
        FitCaption(box);
    }
    FitWrappedText(primaryColoursBox, Tahoma(false));
    FitWrappedText(secondaryColoursBox, Tahoma(false));
    // The banners lie over the lower part of the character text.
    FitWrappedText(characterText, Tahoma(false), coBrandBanner->y() - characterText->y());

    progressBar->hide();
    SetWindowSize(ExpandedWidth, ExpandedHeight);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The name field refuses digits: the message first, then the digit (and
    // any selection it would have replaced) is gone.
    if (watched == nameEdit && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed.size() == 1 && typed.front() >= QLatin1Char('0') && typed.front() <= QLatin1Char('9')) {
            MsgBox(QStringLiteral("Enter Alphabetical Letters Only."));
            if (nameEdit->hasSelectedText() && !nameEdit->isReadOnly())
                nameEdit->del();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    QuitApplication();
}

} // namespace veltara
