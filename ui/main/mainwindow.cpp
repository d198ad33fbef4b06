#include "mainwindow.h"

#include "aboutdialog.h"
#include "appfolder.h"
#include "appicon.h"
#include "chartwindow.h"
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

// A blue caption that introduces a number or a box of the reading, fitted
// to its box.
QLabel *MakeBlueCaption(QWidget *parent, const char *name, const QRect &twips, const QString &caption,
                        Qt::Alignment alignment, const QString &tip)
{
    QLabel *label = MakeLabel(parent, name, twips, caption, Tahoma(true), alignment, tip);
    SetTextColor(label, CaptionBlue);
    FitCaption(label);
    return label;
}

// A bordered box of the reading, empty until Calculate fills it.
QLabel *MakeResultBox(QWidget *parent, const char *name, const QRect &twips, const QFont &font,
                      Qt::Alignment alignment, const QString &tip)
{
    QLabel *box = MakeLabel(parent, name, twips, QString(), font, alignment, tip);
    box->setFrameShape(QFrame::Box);
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

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    SetBackgroundColor(m_client, Qt::white);
    setCentralWidget(m_client);

    createMenus();
    createInputArea();
    createResultArea();
    setFocusOrder();
    setAccessibility();
    UseClassicLook(this);
    for (QLabel *caption : {m_nameCaption, m_dayCaption, m_monthCaption, m_yearCaption})
        FitCaption(caption);
    setWindowSize(CompactWidth, CompactHeight);
}

MainWindow::~MainWindow() = default;

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
    action(fileMenu, "mnuCalc", QStringLiteral("&Calculate"), &MainWindow::calculate);
    action(fileMenu, "mnuClr", QStringLiteral("C&lear"), &MainWindow::clear);
    action(fileMenu, "mnuChart", QStringLiteral("Numerology C&hart..."), &MainWindow::showChartWindow);
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
    action(helpMenu, "mnuAbt", QStringLiteral("&About Software"), [this] { AboutDialog::showModal(this); });
    action(helpMenu, "mnuVS", QStringLiteral("&Visit Quorvale"), [] { OpenWebAddress(BareSiteAddress()); });

    QAction *donateAction = menuBar()->addAction(QStringLiteral("Donate"));
    donateAction->setObjectName(QStringLiteral("mnuDonate"));
    connect(donateAction, &QAction::triggered, this, [] { OpenWebAddress(BareSiteAddress(SitePath::Donate)); });
}

void MainWindow::createInputArea()
{
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;

    auto *visitLink = MakeLabel<LinkLabel>(m_client, "Label10", {120, 120, 3735, 255},
                                           QStringLiteral("Click Here To Visit Quorvale"), Tahoma(true, true), centred);
    SetTextColor(visitLink, LinkRed);
    connect(visitLink, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });

    m_nameCaption =
        MakeLabel(m_client, "Label13", {120, 550, 1455, 375}, QStringLiteral("Your Full Name"), Tahoma(true));

    m_nameEdit = Place<QLineEdit>(m_client, "Text1", {120, 810, 3735, 360});
    m_nameEdit->setFont(Tahoma(false));
    m_nameEdit->setToolTip(QStringLiteral("Enter letters and spaces only."));
    m_nameEdit->setMaxLength(std::numeric_limits<int>::max()); // no length limit
    m_nameEdit->installEventFilter(this);

    m_dayCaption = MakeLabel(m_client, "Label7", {240, 1200, 495, 255}, QStringLiteral("Day"), Tahoma(true));
    m_monthCaption = MakeLabel(m_client, "Label4", {1320, 1200, 615, 255}, QStringLiteral("Month"), Tahoma(true));
    m_yearCaption = MakeLabel(m_client, "Label8", {2880, 1200, 615, 255}, QStringLiteral("Year"), Tahoma(true));

    m_dayList = MakeList(m_client, "myday", {120, 1470, 735, 360});
    m_monthList = MakeList(m_client, "Combo1", {840, 1470, 1695, 360});
    for (const std::string_view month : veltara::MonthNames)
        m_monthList->addItem(QString::fromLatin1(month.data(), static_cast<qsizetype>(month.size())));
    m_yearList = MakeList(m_client, "myyear", {2520, 1470, 1335, 360});

    const auto left = Qt::AlignLeft | Qt::AlignTop;
    m_nameNumberCaption = MakeBlueCaption(m_client, "Label1", {120, 1920, 1215, 255}, QStringLiteral("Name Number"),
        left, QStringLiteral("Lets you know that the number that appears to the right of here is your name number."));
    m_nameNumberBox = MakeNumberBox(m_client, "Text2", {1440, 1920, 255, 285}, QStringLiteral("Your name number."));
    m_birthNumberCaption = MakeBlueCaption(m_client, "Label5", {2160, 1920, 1215, 255}, QStringLiteral("Birth Number"),
        left, QStringLiteral("This one lets you know your number to the right of here is your birth number."));
    m_birthNumberBox =
        MakeNumberBox(m_client, "Text7", {3480, 1920, 255, 285}, QStringLiteral("This is your birth number."));

    m_clearButton = Place<CommandButton>(m_client, "Option2", {1560, 2280, 975, 375});
    m_clearButton->setText(QStringLiteral("Clear"));
    m_clearButton->setFont(Tahoma(true));
    connect(m_clearButton, &QPushButton::clicked, this, &MainWindow::clear);
    m_calculateButton = Place<CommandButton>(m_client, "option1", {2640, 2280, 1215, 375});
    m_calculateButton->setText(QStringLiteral("Calculate"));
    m_calculateButton->setFont(Tahoma(true));
    connect(m_calculateButton, &QPushButton::clicked, this, &MainWindow::calculate);

    m_progressBar = Place<QProgressBar>(m_client, "searcher", {120, 2760, 3735, 255});
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);

    m_birthDigitsBox = Place<QLineEdit>(m_client, "Text6", {4560, 5640, 855, 285});
    m_birthDigitsBox->setMaxLength(static_cast<int>(BirthDigitsMaxLength));
    m_birthDigitsBox->setToolTip(QStringLiteral("This is where your birthdate goes.  Enter numbers only."));
    m_birthDigitsBox->setFocusPolicy(Qt::NoFocus);
    m_birthDigitsBox->hide();
}

void MainWindow::createResultArea()
{
    const auto centred = Qt::AlignCenter;
    const auto left = Qt::AlignLeft | Qt::AlignTop;

    m_planet = MakeResultBox(m_client, "planet", {4200, 240, 1275, 255}, ResultCaptionFont(), centred,
                             QStringLiteral("This is the name of the planet associated with you."));
    m_planetPicture = MakePictureBox(m_client, "Image1", {4200, 480, 1275, 1605},
        QStringLiteral("Here is the ultra cool picture I drew to represent the planet associated with you."));
    MakeBlueCaption(m_client, "Label3", {5640, 480, 855, 255}, QStringLiteral("Element"), centred,
                    QStringLiteral("This is the element box.  Only four things live in here."));
    m_elementBox = MakeResultBox(m_client, "elements", {5640, 840, 855, 255}, Tahoma(false), centred,
                                 QStringLiteral("Element related to your name number."));
    MakeBlueCaption(m_client, "Label6", {5640, 1320, 855, 255}, QStringLiteral("Letters"), centred,
        QStringLiteral("This is the letters box.  Up to three things live in here at any given time."));
    m_letters = MakeResultBox(m_client, "letters", {5640, 1680, 855, 255}, Tahoma(false), centred,
                              QStringLiteral("Letters associated with your name number."));

    m_zodiac = MakeResultBox(m_client, "zodiac", {6600, 240, 1275, 255}, ResultCaptionFont(), centred,
                             QStringLiteral("This is the Zodiac associated with you."));
    m_zodiacPicture = MakePictureBox(m_client, "Image2", {6600, 480, 1275, 1605},
        QStringLiteral("Here is the ultra cool drawing I made of the Zodiac that is associated to you."));

    MakeBlueCaption(m_client, "Label9", {4200, 2160, 1695, 255}, QStringLiteral("Primary Colors"), left,
        QStringLiteral("Just a label to let you know that the names of colors below here are your primary colors."));
    MakeBlueCaption(m_client, "Label11", {6120, 2160, 1755, 255}, QStringLiteral("Secondary Colors"),
        Qt::AlignHCenter | Qt::AlignTop,
        QStringLiteral("Just a label to let you know that the names of colors below here are your secondary colors."));
    m_primaryColoursBox = MakeResultBox(m_client, "pcolors", {4200, 2520, 1755, 495}, Tahoma(false), left,
                                        QStringLiteral("Here is your list of primary colors."));
    m_primaryColoursBox->setWordWrap(true);
    m_secondaryColoursBox = MakeResultBox(m_client, "scolors", {6120, 2520, 1755, 495}, Tahoma(false), left,
                                          QStringLiteral("Here is your list of secondary colors."));
    m_secondaryColoursBox->setWordWrap(true);

    m_characterText = MakeLabel(m_client, "Label2", {120, 3120, 7815, 1575}, QString(), Tahoma(false));
    m_characterText->setWordWrap(true);
    SetTextColor(m_characterText, ClassicHighlight);

    auto *fullBrandBanner = MakeLabel<LinkLabel>(
        m_client, "lblFullBrand", {0, 4320, 6345, 615},
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website. Click here for more details."),
        BannerFont(true, true), centred);
    m_coBrandBanner = MakeLabel<LinkLabel>(
        m_client, "lblCobrand", {0, 4320, 6345, 615},
        CaptionText(u"Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &&  link here. See \"Help\" for details.    Click Here for more info on co-branding."),
        BannerFont(true, true), centred);
    for (LinkLabel *banner : {fullBrandBanner, m_coBrandBanner}) {
        banner->setWordWrap(true);
        SetTextColor(banner, BannerBlue);
        SetBackgroundColor(banner, ClassicButtonFace);
    }
    m_coBrandBanner->raise(); // covers the full-branding banner
    connect(fullBrandBanner, &LinkLabel::clicked, this, [] { OpenSitePage(PageKey::FullyBranded); });
    connect(m_coBrandBanner, &LinkLabel::clicked, this, [] { OpenSitePage(PageKey::CoBrand); });

    auto *coBrandLink = MakeLabel<LinkLabel>(m_client, "Label12", {6480, 4320, 1455, 615},
                                             QStringLiteral("Co-brand this software. See help for details"),
                                             BannerFont(false, false), centred);
    coBrandLink->setWordWrap(true);
    coBrandLink->unsetCursor();
    coBrandLink->setFrameShape(QFrame::Box);
    for (LinkLabel *link : {m_coBrandBanner, fullBrandBanner, coBrandLink})
        FitWrappedText(link, link->font());
    connect(coBrandLink, &LinkLabel::clicked, this, [] { OpenWebAddress(BareSiteAddress()); });
}

void MainWindow::setFocusOrder()
{
    QWidget *const order[] = {m_nameEdit, m_dayList, m_monthList, m_yearList, m_calculateButton, m_clearButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::setAccessibility()
{
    // Inputs and number boxes are named after the label that introduces them.
    const std::pair<QWidget *, QLabel *> introduced[] = {
        {m_nameEdit, m_nameCaption}, {m_dayList, m_dayCaption}, {m_monthList, m_monthCaption},
        {m_yearList, m_yearCaption}, {m_nameNumberBox, m_nameNumberCaption},
        {m_birthNumberBox, m_birthNumberCaption},
    };
    for (const auto &[field, label] : introduced) {
        field->setAccessibleName(label->text());
        label->setBuddy(field);
    }
    m_planetPicture->setAccessibleName(QStringLiteral("Planet picture"));
    m_zodiacPicture->setAccessibleName(QStringLiteral("Zodiac picture"));
    m_progressBar->setAccessibleName(QStringLiteral("Progress"));
    for (QWidget *widget : m_client->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty())
            widget->setAccessibleDescription(widget->toolTip());
    }
}

void MainWindow::setWindowSize(int widthTwips, int heightTwips)
{
    const QSize clientSize = TwipsSize(widthTwips - FrameWidthTwips, heightTwips - NonClientHeightTwips);
    setFixedSize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

void MainWindow::setInputsEditable(bool editable)
{
    QWidget *const inputs[] = {m_nameEdit, m_dayList, m_yearList, m_monthList};
    // A disabled control cannot keep the focus, and the toolkit would hand
    // it on to the next control. It rests on the client area instead, and
    // goes back to its control when the inputs are enabled again, unless
    // the user has put it elsewhere meanwhile.
    if (!editable) {
        const QWidget *focus = focusWidget();
        for (QWidget *input : inputs) {
            if (focus && (focus == input || input->isAncestorOf(focus))) {
                m_frozenFocus = input;
                m_client->setFocus(Qt::OtherFocusReason);
            }
        }
    }
    for (QWidget *input : inputs)
        input->setEnabled(editable);
    if (editable && m_frozenFocus) {
        if (focusWidget() == m_client)
            m_frozenFocus->setFocus(Qt::OtherFocusReason);
        m_frozenFocus = nullptr;
    }
}

bool MainWindow::load()
{
    const QPixmap probe = LoadPicture(u"sun.jpg");
    if (probe.isNull()) {
        MsgBox(QStringLiteral("Pictures Folder Is Missing\r\nPictures Have Been Moved Or Deleted."),
               MsgStyle::OkOnly + MsgStyle::Critical, QStringLiteral("Please Reinstall The Software"));
        return false;
    }
    clear();
    QStringList years;
    for (int year = 1900; year <= 2010; ++year)
        years.append(QString::number(year));
    // Filling a list picks its first item; the lists stay as clear() left them,
    // with no item picked.
    m_yearList->addItems(years);
    m_yearList->setCurrentIndex(-1);
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days.append(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
    m_dayList->addItems(days);
    m_dayList->setCurrentIndex(-1);
    return true;
}

void MainWindow::clear()
{
    setInputsEditable(true);
    m_nameEdit->setReadOnly(false);
    m_birthDigitsBox->setReadOnly(false);
    setWindowSize(CompactWidth, CompactHeight);
    for (QLabel *label : {m_planet, m_zodiac, m_elementBox, m_letters, m_primaryColoursBox, m_secondaryColoursBox,
                          m_planetPicture, m_zodiacPicture})
        label->clear();
    for (QLineEdit *box : {m_nameEdit, m_nameNumberBox, m_birthDigitsBox, m_birthNumberBox})
        box->clear();
    // An empty list picks no item: Down then gives the first one, and the
    // opened list marks none.
    for (QComboBox *list : {m_monthList, m_dayList, m_yearList}) {
        list->setCurrentIndex(-1);
        list->clearEditText();
    }
    m_characterText->clear();
}

void MainWindow::calculate()
{
    setInputsEditable(false);

    const QString name = m_nameEdit->text(), day = m_dayList->currentText(), month = m_monthList->currentText(),
                  year = m_yearList->currentText(), digits = m_birthDigitsBox->text();
    ReadingResult reading;
    MakeReading({Units(name), Units(day), Units(month), Units(year), Units(digits)}, reading);
    m_dayList->setEditText(ToQString(reading.paddedDay));
    m_birthDigitsBox->setText(ToQString(reading.birthDigits));

    m_nameEdit->setReadOnly(true);
    m_birthDigitsBox->setReadOnly(true);

    const QString refusal = ToQString(RefusalText(reading.outcome));
    if (reading.outcome == ReadingOutcome::InvalidBirthdate) {
        MsgBox(refusal, MsgStyle::OkOnly + MsgStyle::Information);
        clear();
        return;
    }
    if (reading.outcome == ReadingOutcome::MissingName) {
        MsgBox(refusal, MsgStyle::OkOnly, QStringLiteral("Missing Information"));
        clear();
        return;
    }

    m_nameNumberBox->setText(QString::number(reading.nameNumber));
    m_birthNumberBox->setText(QString::number(reading.birthNumber));
    const NameProfile *profile = reading.profile;
    showCharacter(profile);
    // A date no zodiac row covers clears the window, name number and all.
    if (!showZodiacSign(reading.zodiac))
        profile = nullptr;
    showPlanet(profile);
    showColours(profile);
    // Texts too long for their boxes are condensed or shrunk, never cut off.
    for (QLabel *box : {m_planet, m_zodiac, m_elementBox, m_letters}) {
        box->setFont(box == m_planet || box == m_zodiac ? ResultCaptionFont() : Tahoma(false));
        FitCaption(box);
    }
    FitWrappedText(m_primaryColoursBox, Tahoma(false));
    FitWrappedText(m_secondaryColoursBox, Tahoma(false));
    // The banners lie over the lower part of the character text.
    FitWrappedText(m_characterText, Tahoma(false), m_coBrandBanner->y() - m_characterText->y());

    m_progressBar->hide();
    setWindowSize(ExpandedWidth, ExpandedHeight);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The name field refuses digits: the message first, then the digit (and
    // any selection it would have replaced) is gone.
    if (watched == m_nameEdit && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed.size() == 1 && typed.front() >= QLatin1Char('0') && typed.front() <= QLatin1Char('9')) {
            MsgBox(QStringLiteral("Enter Alphabetical Letters Only."));
            if (m_nameEdit->hasSelectedText() && !m_nameEdit->isReadOnly())
                m_nameEdit->del();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showChartWindow()
{
    if (!m_chartWindow)
        m_chartWindow = std::make_unique<ChartWindow>();
    // A reading shows its number; the chart takes a reading it has not had.
    if (!m_nameNumberBox->text().isEmpty()) {
        const QStringList inputs{m_nameEdit->text(), m_dayList->currentText(), m_monthList->currentText(),
                                 m_yearList->currentText()};
        if (inputs != m_chartInputs) {
            m_chartWindow->fill(inputs.front(), inputs.mid(1));
            m_chartInputs = inputs;
        }
    }
    m_chartWindow->show();
    m_chartWindow->raise();
    m_chartWindow->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_chartWindow)
        m_chartWindow->close();
    event->accept();
    QuitApplication();
}

} // namespace veltara
