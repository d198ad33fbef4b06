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
        characterText->setText(ToQString(profile->characterText));
}

void MainWindow::showPlanet(const NameProfile *profile)
{
    progressBar->setValue(24);
    if (!profile)
        return;
    const QPixmap picture = LoadPicture(ToQString(profile->planetPicture));
    if (picture.isNull())
        return;
    planetPicture->setPixmap(picture);
    planet->setText(ToQString(profile->planet));
    Advance(progressBar);
    elementBox->setText(ToQString(profile->element));
    letters->setText(ToQString(profile->letters));
}

void MainWindow::showColours(const NameProfile *profile)
{
    progressBar->setValue(33);
    if (!profile)
        return;
    Advance(progressBar);
    primaryColoursBox->setText(ToQString(profile->primaryColor));
    secondaryColoursBox->setText(ToQString(profile->secondaryColors));
}

bool MainWindow::showZodiacSign(const ZodiacRange *row)
{
    progressBar->setValue(0);
    for (const ZodiacRange &range : ZodiacTable) {
        Advance(progressBar);
        if (&range != row)
            continue;
        // A picture that cannot be loaded leaves the box as it was; the sign
        // name is shown all the same.
        const QPixmap picture = LoadPicture(ToQString(range.picture));
        if (!picture.isNull())
            zodiacPicture->setPixmap(picture);
        zodiac->setText(ToQString(range.sign));
        return true;
    }
    if (!zodiac->text().isEmpty())
        return true;
    Clear();
    MsgBox(ToQString(RefusalText(ReadingOutcome::InvalidBirthday)), MsgStyle::OkOnly + MsgStyle::Critical,
           QStringLiteral("Invalid Birthday"));
    return false;
}

} // namespace veltara
