#include "readingsteps.h"

#include "textunits.h"
#include "appfolder.h"
#include "messages.h"
#include "profiles.h"
#include "zodiac.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace veltara {

namespace {

const NameProfile *ProfileShown(const ReadingControls &controls)
{
    return LookupNameProfile(Units(controls.nameNumber->text()));
}

void Advance(QProgressBar *progress)
{
    progress->setValue(progress->value() + 1);
}

} // namespace

void ShowCharacter(const ReadingControls &controls)
{
    if (const NameProfile *profile = ProfileShown(controls))
        controls.characterText->setText(ToQString(profile->characterText));
}

void ShowPlanet(const ReadingControls &controls)
{
    controls.progress->setValue(24);
    const NameProfile *profile = ProfileShown(controls);
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

void ShowColours(const ReadingControls &controls)
{
    controls.progress->setValue(33);
    const NameProfile *profile = ProfileShown(controls);
    if (!profile)
        return;
    Advance(controls.progress);
    controls.primaryColor->setText(ToQString(profile->primaryColor));
    controls.secondaryColors->setText(ToQString(profile->secondaryColors));
}

void ShowZodiacSign(const ReadingControls &controls)
{
    const std::uint64_t key = BirthKey(Units(controls.birthDigits->text())).value_or(0);
    controls.progress->setValue(0);
    for (const ZodiacRange &range : ZodiacTable) {
        Advance(controls.progress);
        if (!RangeContains(range, key))
            continue;
        // A picture that cannot be loaded leaves the box as it was; the sign
        // name is shown all the same.
        const QPixmap picture = LoadPicture(ToQString(range.picture));
        if (!picture.isNull())
            controls.zodiacPicture->setPixmap(picture);
        controls.zodiac->setText(ToQString(range.sign));
        return;
    }
    if (controls.zodiac->text().isEmpty()) {
        controls.clear();
        MsgBox(QStringLiteral("You Have Entered An Invalid Birthdate.  Please Retry."), MsgStyle::OkOnly + MsgStyle::Critical,
               QStringLiteral("Invalid Birthday"));
    }
}

} // namespace veltara
