// What the main-window tests share: the window's controls found by name, a
// picture folder that a test may damage, the window's two sizes, and the
// ways a user fills the inputs.
#pragma once

#include "appfolder.h"
#include "classicui.h"
#include "form1.h"
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

namespace form1test {

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
struct Form1Ui {
    explicit Form1Ui(veltara::Form1 &w)
        : window(&w)
    {
        auto find = [&w](auto *&control, const char *name) {
            control = w.findChild<std::remove_reference_t<decltype(*control)> *>(QLatin1String(name));
        };
        find(Text1, "Text1");
        find(Text2, "Text2");
        find(Text6, "Text6");
        find(Text7, "Text7");
        find(myday, "myday");
        find(Combo1, "Combo1");
        find(myyear, "myyear");
        find(option1, "option1");
        find(Option2, "Option2");
        find(searcher, "searcher");
        find(planet, "planet");
        find(Image1, "Image1");
        find(elements, "elements");
        find(letters, "letters");
        find(zodiac, "zodiac");
        find(Image2, "Image2");
        find(pcolors, "pcolors");
        find(scolors, "scolors");
        find(Label2, "Label2");
        find(Label10, "Label10");
        find(Label12, "Label12");
        find(lblCobrand, "lblCobrand");
        find(lblFullBrand, "lblFullBrand");
        find(mnuCalc, "mnuCalc");
        find(mnuClr, "mnuClr");
        find(mnuAbt, "mnuAbt");
    }

    bool found() const
    {
        const QObject *all[] = {Text1,   Text2,   Text6,  Text7,   myday,   Combo1,  myyear,     option1,
                                Option2, searcher, planet, Image1, elements, letters, zodiac,    Image2,
                                pcolors, scolors, Label2, Label10, Label12, lblCobrand, lblFullBrand,
                                mnuCalc, mnuClr,  mnuAbt};
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
            {QStringLiteral("Text1"), Text1->text()},       {QStringLiteral("myday"), myday->currentText()},
            {QStringLiteral("Combo1"), Combo1->currentText()}, {QStringLiteral("myyear"), myyear->currentText()},
            {QStringLiteral("Text6"), Text6->text()},       {QStringLiteral("Text2"), Text2->text()},
            {QStringLiteral("Text7"), Text7->text()},       {QStringLiteral("Label2"), Label2->text()},
            {QStringLiteral("zodiac"), zodiac->text()},     {QStringLiteral("planet"), planet->text()},
            {QStringLiteral("elements"), elements->text()}, {QStringLiteral("letters"), letters->text()},
            {QStringLiteral("pcolors"), pcolors->text()},   {QStringLiteral("scolors"), scolors->text()},
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
        if (!Image1->pixmap().isNull())
            filled.append(QStringLiteral("Image1"));
        if (!Image2->pixmap().isNull())
            filled.append(QStringLiteral("Image2"));
        return filled;
    }

    // The four inputs can be typed into (and Text6 written).
    bool inputsEditable() const
    {
        return Text1->isEnabled() && myday->isEnabled() && Combo1->isEnabled() && myyear->isEnabled() &&
               !Text1->isReadOnly() && !Text6->isReadOnly();
    }

    bool inputsFrozen() const
    {
        return !Text1->isEnabled() && !myday->isEnabled() && !Combo1->isEnabled() && !myyear->isEnabled() &&
               Text1->isReadOnly() && Text6->isReadOnly();
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
        return {Label10, Text1, myday, Combo1, myyear, Text2, Text7, Option2, option1};
    }
    QList<const QWidget *> resultArea() const
    {
        return {planet, Image1, elements, letters, zodiac, Image2, pcolors, scolors, Label2, lblCobrand, Label12};
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

    veltara::Form1 *window;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text6 = nullptr;
    QLineEdit *Text7 = nullptr;
    QComboBox *myday = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *myyear = nullptr;
    QPushButton *option1 = nullptr; // Calculate
    QPushButton *Option2 = nullptr; // Clear
    QProgressBar *searcher = nullptr;
    QLabel *planet = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *elements = nullptr;
    QLabel *letters = nullptr;
    QLabel *zodiac = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *pcolors = nullptr;
    QLabel *scolors = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *lblCobrand = nullptr;
    QLabel *lblFullBrand = nullptr;
    QAction *mnuCalc = nullptr;
    QAction *mnuClr = nullptr;
    QAction *mnuAbt = nullptr;
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
inline void TypeInputs(const Form1Ui &ui, const QString &name, const QString &day, const QString &month,
                       const QString &year)
{
    Type(ui.Text1, name);
    Type(ui.myday, day);
    Type(ui.Combo1, month);
    Type(ui.myyear, year);
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
inline bool ShowMainWindow(std::unique_ptr<veltara::Form1> &window, std::unique_ptr<Form1Ui> &ui)
{
    window = std::make_unique<veltara::Form1>();
    ui = std::make_unique<Form1Ui>(*window);
    if (!ui->found() || !window->Load())
        return false;
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

} // namespace form1test
