#include "updatereminder.h"

#include "messages.h"
#include "settings.h"
#include "weblinks.h"

namespace veltara {

namespace {

const QString Section = QStringLiteral("Settings");
const QString Key = QStringLiteral("Duration");
constexpr qint64 ReminderWindowDays = 14;
const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QString DateText(const QDate &date) { return date.toString(DateFormat); }

} // namespace

void CheckUpdateReminder(const QDate &today)
{
    const QDate stored = QDate::fromString(GetSetting(Section, Key), DateFormat);
    if (!stored.isValid()) {
        // First start, or a value that does not read back as a date.
        SaveSetting(Section, Key, DateText(today));
        return;
    }

    const qint64 distance = today.daysTo(stored);
    if (distance >= -ReminderWindowDays && distance <= ReminderWindowDays)
        return;

    const int answer = MsgBox(QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?"),
                              MsgStyle::YesNo + MsgStyle::Information);
    // The date is stored before the page opens. A store that refuses the
    // write does not take the page from a user who asked for it; the
    // reminder then simply comes again at the next start.
    SaveSetting(Section, Key, DateText(today));
    if (answer == MsgAnswer::Yes)
        OpenSitePage(PageKey::Download);
}

} // namespace veltara
