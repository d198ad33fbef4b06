// What the main-window tests share: the window's controls found by name, a
// picture folder that a test may damage, the window's two sizes, and the
// ways a user fills the inputs.
#pragma once

#include "appfolder.h"
#include "classicui.h"
#include "mainwindow.h"
#include "messagespy.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <type_traits>

// How a recorded message reads in a failed comparison.
inline char *toString(const ShownMessage &message)
{
    return QTest::toString(QStringLiteral("\"%1\" style %2 title \"%3\"")
                               .arg(message.text, QString::number(message.style), message.title));
}

namespace mainwindowtest {

// The folder the build draws the pictures into holds them as "pu"; the
// program's folder is the one above it.
inline QString BuildPictureFolder()
{
    return QString::fromUtf8(VELTARA_PICTURE_DIR);
}

inline QString BuildApplicationFolder()
{
    return QFileInfo(BuildPictureFolder()).absolutePath();
}

// Whether a picture box shows the picture of that file of the build's
// picture folder.
inline bool ShowsPicture(const QLabel *box, const QString &fileName)
{
    const QImage expected = QImage(BuildPictureFolder() + QLatin1Char('/') + fileName).convertToFormat(QImage::Format_RGB32);
    return !expected.isNull() && box->pixmap().toImage().convertToFormat(QImage::Format_RGB32) == expected;
}

// A copy of the whole picture folder in a temporary program folder, so that a
// test can remove or spoil single pictures.
class PictureFolder {
public:
    PictureFolder()
    {
        if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("pu")))
            return;
        const QDir source(BuildPictureFolder());
        const QStringList pictures = source.entryList({QStringLiteral("*.jpg")}, QDir::Files);
        for (const QString &name : pictures) {
            if (!QFile::copy(source.filePath(name), picturePath(name)))
                return;
        }
        m_copied = static_cast<int>(pictures.size());
    }

    // The nine planet and twelve zodiac pictures were all copied.
    bool isComplete() const { return m_copied == 21; }
    QString applicationFolder() const { return m_dir.path(); }
    QString picturePath(const QString &name) const { return m_dir.filePath(QStringLiteral("pu/") + name); }

    bool remove(const QString &name) { return QFile::remove(picturePath(name)); }

    // Leaves a file of that name that is no picture.
    bool spoil(const QString &name)
    {
        QFile file(picturePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write("this is not a picture\n") > 0;
    }

    // Saves the picture again in another format under the same name.
    bool convert(const QString &name, const char *format)
    {
        const QImage image(picturePath(name));
        return !image.isNull() && image.save(picturePath(name), format);
    }

    // Keeps only the first bytes of the picture, as a broken copy would.
    bool truncate(const QString &name)
    {
        QFile file(picturePath(name));
        return file.resize(64);
    }

    bool rename(const QString &from, const QString &to) { return QFile::rename(picturePath(from), picturePath(to)); }

    bool removeFolder() { return QDir(m_dir.filePath(QStringLiteral("pu"))).removeRecursively(); }

private:
    QTemporaryDir m_dir;
    int m_copied = 0;
};

// The controls of the main window, found by their names.
struct MainWindowUi {
    explicit MainWindowUi(veltara::MainWindow &w)
        : window(&w)
    {
        auto find = [&w](auto *&control, const char *name) {
            control = w.findChild<std::remove_reference_t<decltype(*control)> *>(QLatin1String(name));
        };
        find(nameEdit, "Text1");
        find(nameNumberBox, "Text2");
        find(birthDigitsBox, "Text6");
        find(birthNumberBox, "Text7");
        find(dayList, "myday");
        find(monthList, "Combo1");
        find(yearList, "myyear");
        find(calculateButton, "option1");
        find(clearButton, "Option2");
        find(progressBar, "searcher");
        find(planet, "planet");
        find(planetPicture, "Image1");
        find(elementBox, "elements");
        find(letters, "letters");
        find(zodiac, "zodiac");
        find(zodiacPicture, "Image2");
        find(primaryColoursBox, "pcolors");
        find(secondaryColoursBox, "scolors");
        find(characterText, "Label2");
        find(visitLink, "Label10");
        find(coBrandLink, "Label12");
        find(coBrandBanner, "lblCobrand");
        find(fullBrandBanner, "lblFullBrand");
        find(calculateAction, "mnuCalc");
        find(clearAction, "mnuClr");
        find(aboutAction, "mnuAbt");
    }

    bool found() const
    {
        const QObject *all[] = {nameEdit, nameNumberBox, birthDigitsBox, birthNumberBox, dayList, monthList, yearList,
                                calculateButton, clearButton, progressBar, planet, planetPicture, elementBox, letters,
                                zodiac, zodiacPicture, primaryColoursBox, secondaryColoursBox, characterText, visitLink,
                                coBrandLink, coBrandBanner, fullBrandBanner, calculateAction, clearAction, aboutAction};
        for (const QObject *control : all) {
            if (!control)
                return false;
        }
        return true;
    }

    // Every text field the window fills, by control name: the inputs, the
    // numbers and every field of the reading.
    QList<std::pair<QString, QString>> fieldTexts() const
    {
        return {
            {QStringLiteral("Text1"), nameEdit->text()}, {QStringLiteral("myday"), dayList->currentText()},
            {QStringLiteral("Combo1"), monthList->currentText()}, {QStringLiteral("myyear"), yearList->currentText()},
            {QStringLiteral("Text6"), birthDigitsBox->text()}, {QStringLiteral("Text2"), nameNumberBox->text()},
            {QStringLiteral("Text7"), birthNumberBox->text()}, {QStringLiteral("Label2"), characterText->text()},
            {QStringLiteral("zodiac"), zodiac->text()}, {QStringLiteral("planet"), planet->text()},
            {QStringLiteral("elements"), elementBox->text()}, {QStringLiteral("letters"), letters->text()},
            {QStringLiteral("pcolors"), primaryColoursBox->text()},
            {QStringLiteral("scolors"), secondaryColoursBox->text()},
        };
    }

    // Names of the fields that hold any text, and "Image1"/"Image2" when
    // they hold a picture; empty for a cleared window.
    QStringList filledFields() const
    {
        QStringList filled;
        for (const auto &[name, text] : fieldTexts()) {
            if (!text.isEmpty())
                filled.append(name);
        }
        if (!planetPicture->pixmap().isNull())
            filled.append(QStringLiteral("Image1"));
        if (!zodiacPicture->pixmap().isNull())
            filled.append(QStringLiteral("Image2"));
        return filled;
    }

    // The four inputs can be typed into (and the birth-date digits written).
    bool inputsEditable() const
    {
        return nameEdit->isEnabled() && dayList->isEnabled() && monthList->isEnabled() && yearList->isEnabled() &&
               !nameEdit->isReadOnly() && !birthDigitsBox->isReadOnly();
    }

    bool inputsFrozen() const
    {
        return !nameEdit->isEnabled() && !dayList->isEnabled() && !monthList->isEnabled() && !yearList->isEnabled() &&
               nameEdit->isReadOnly() && birthDigitsBox->isReadOnly();
    }

    // The window's fixed size for an outer size in twips: the client area is
    // the outer size less the frame (75 twips wide) and the title bar, menu
    // bar and frame (740 twips high), plus the toolkit's own menu bar.
    QSize windowSize(int outerWidthTwips, int outerHeightTwips) const
    {
        const QSize client = veltara::TwipsSize(outerWidthTwips - 75, outerHeightTwips - 740);
        return {client.width(), client.height() + window->menuBar()->sizeHint().height()};
    }

    QSize compactSize() const { return windowSize(4020, 3480); }
    QSize expandedSize() const { return windowSize(8160, 5750); }

    // Where a control lies in the window.
    QRect placeInWindow(const QWidget *control) const
    {
        return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
    }

    // The input area always shows; the result area only in the expanded size.
    QList<const QWidget *> inputArea() const
    {
        return {visitLink, nameEdit, dayList, monthList, yearList, nameNumberBox, birthNumberBox, clearButton,
                calculateButton};
    }
    QList<const QWidget *> resultArea() const
    {
        return {planet, planetPicture, elementBox, letters, zodiac, zodiacPicture, primaryColoursBox,
                secondaryColoursBox, characterText, coBrandBanner, coBrandLink};
    }

    // Names of the controls of a list that the window does not show whole.
    QStringList notInside(const QList<const QWidget *> &controls) const
    {
        QStringList outside;
        for (const QWidget *control : controls) {
            if (!window->rect().contains(placeInWindow(control)))
                outside.append(control->objectName());
        }
        return outside;
    }

    // Names of the controls of a list that show at least in part.
    QStringList showing(const QList<const QWidget *> &controls) const
    {
        QStringList shown;
        for (const QWidget *control : controls) {
            if (window->rect().intersects(placeInWindow(control)))
                shown.append(control->objectName());
        }
        return shown;
    }

    veltara::MainWindow *window;
    QLineEdit *nameEdit = nullptr;
    QLineEdit *nameNumberBox = nullptr;
    QLineEdit *birthDigitsBox = nullptr;
    QLineEdit *birthNumberBox = nullptr;
    QComboBox *dayList = nullptr;
    QComboBox *monthList = nullptr;
    QComboBox *yearList = nullptr;
    QPushButton *calculateButton = nullptr;
    QPushButton *clearButton = nullptr;
    QProgressBar *progressBar = nullptr;
    QLabel *planet = nullptr;
    QLabel *planetPicture = nullptr;
    QLabel *elementBox = nullptr;
    QLabel *letters = nullptr;
    QLabel *zodiac = nullptr;
    QLabel *zodiacPicture = nullptr;
    QLabel *primaryColoursBox = nullptr;
    QLabel *secondaryColoursBox = nullptr;
    QLabel *characterText = nullptr;
    QLabel *visitLink = nullptr;
    QLabel *coBrandLink = nullptr;
    QLabel *coBrandBanner = nullptr;
    QLabel *fullBrandBanner = nullptr;
    QAction *calculateAction = nullptr;
    QAction *clearAction = nullptr;
    QAction *aboutAction = nullptr;
};

inline QStringList ListItems(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->itemText(i));
    return items;
}

inline QStringList Numbered(int first, int last, int width)
{
    QStringList texts;
    for (int n = first; n <= last; ++n)
        texts.append(QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')));
    return texts;
}

inline QStringList MonthNames()
{
    return {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
}

// Types a text key by key, as a user does. Characters beyond ASCII go as
// key events that carry only their text.
inline void Type(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void Type(QComboBox *list, const QString &text)
{
    Type(list->lineEdit(), text);
}

// Fills the inputs by typing into each of them.
inline void TypeInputs(const MainWindowUi &ui, const QString &name, const QString &day, const QString &month,
                       const QString &year)
{
    Type(ui.nameEdit, name);
    Type(ui.dayList, day);
    Type(ui.monthList, month);
    Type(ui.yearList, year);
}

// Picks an item of a list, as a user choosing it from the drop-down does.
// Returns false when the list has no such item.
inline bool Pick(QComboBox *list, const QString &item)
{
    const int index = list->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    return list->currentText() == item;
}

// Makes a main window, finds its controls, loads it and shows it: false
// when any of these steps fails.
inline bool ShowMainWindow(std::unique_ptr<veltara::MainWindow> &window, std::unique_ptr<MainWindowUi> &ui)
{
    window = std::make_unique<veltara::MainWindow>();
    ui = std::make_unique<MainWindowUi>(*window);
    if (!ui->found() || !window->load())
        return false;
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

} // namespace mainwindowtest
