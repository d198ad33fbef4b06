// The display steps of the main window's Calculate (see mainwindow.h).
#include "mainwindow.h"

#include "appfolder.h"
#include "messages.h"
#include "reading.h"
#include "textunits.h"

#include <QLabel>
#include <QProgressBar>

namespace veltara {

namespace {

void Advance(QProgressBar *progress)
{
    progress->setValue(progress->value() + 1);
}

} // namespace

void MainWindow::showCharacter(const NameProfile *profile)
{
    if (profile)
        m_characterText->setText(ToQString(profile->characterText));
}

void MainWindow::showPlanet(const NameProfile *profile)
{
    m_progressBar->setValue(24);
    if (!profile)
        return;
    const QPixmap picture = LoadPicture(ToQString(profile->planetPicture));
    if (picture.isNull())
        return;
    m_planetPicture->setPixmap(picture);
    m_planet->setText(ToQString(profile->planet));
    Advance(m_progressBar);
    m_elementBox->setText(ToQString(profile->element));
    m_letters->setText(ToQString(profile->letters));
}

void MainWindow::showColours(const NameProfile *profile)
{
    m_progressBar->setValue(33);
    if (!profile)
        return;
    Advance(m_progressBar);
    m_primaryColoursBox->setText(ToQString(profile->primaryColor));
    m_secondaryColoursBox->setText(ToQString(profile->secondaryColors));
}

bool MainWindow::showZodiacSign(const ZodiacRange *row)
{
    m_progressBar->setValue(0);
    for (const ZodiacRange &range : ZodiacTable) {
        Advance(m_progressBar);
        if (&range != row)
            continue;
        // A picture that cannot be loaded leaves the box as it was; the sign
        // name is shown all the same.
        const QPixmap picture = LoadPicture(ToQString(range.picture));
        if (!picture.isNull())
            m_zodiacPicture->setPixmap(picture);
        m_zodiac->setText(ToQString(range.sign));
        return true;
    }
    if (!m_zodiac->text().isEmpty())
        return true;
    clear();
    MsgBox(ToQString(RefusalText(ReadingOutcome::InvalidBirthday)), MsgStyle::OkOnly + MsgStyle::Critical,
           QStringLiteral("Invalid Birthday"));
    return false;
}

} // namespace veltara
