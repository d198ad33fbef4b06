#include "readingsteps.h"

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

void ShowCharacter(const ReadingControls &controls, const NameProfile *profile)
{
    if (profile)
        controls.characterText->setText(ToQString(profile->characterText));
}

void ShowPlanet(const ReadingControls &controls, const NameProfile *profile)
{
    controls.progress->setValue(24);
    if (!profile)
        return;
    const QPixmap picture = LoadPicture(ToQString(profile->planetPicture));
    if (picture.isNull())
        return;
    controls.planetPicture->setPixmap(picture);
    controls.planet->setText(ToQString(profile->planet));
    Advance(controls.progress);
    controls.element->setText(ToQString(profile->element));
    controls.letters->setText(ToQString(profile->letters));
}

void ShowColours(const ReadingControls &controls, const NameProfile *profile)
{
    controls.progress->setValue(33);
    if (!profile)
        return;
    Advance(controls.progress);
    controls.primaryColor->setText(ToQString(profile->primaryColor));
    controls.secondaryColors->setText(ToQString(profile->secondaryColors));
}

bool ShowZodiacSign(const ReadingControls &controls, const ZodiacRange *row)
{
    controls.progress->setValue(0);
    for (const ZodiacRange &range : ZodiacTable) {
        Advance(controls.progress);
        if (&range != row)
            continue;
        // A picture that cannot be loaded leaves the box as it was; the sign
        // name is shown all the same.
        const QPixmap picture = LoadPicture(ToQString(range.picture));
        if (!picture.isNull())
            controls.zodiacPicture->setPixmap(picture);
        controls.zodiac->setText(ToQString(range.sign));
        return true;
    }
    if (!controls.zodiac->text().isEmpty())
        return true;
    controls.clear();
    MsgBox(ToQString(RefusalText(ReadingOutcome::InvalidBirthday)), MsgStyle::OkOnly + MsgStyle::Critical,
           QStringLiteral("Invalid Birthday"));
    return false;
}

} // namespace veltara
