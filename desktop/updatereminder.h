// The update reminder of start-up: when the date of the last reminder lies
// more than 14 days away from today, offer to open the download page.
#pragma once

#include <QDate>

namespace veltara {

// Runs the reminder once. The date is kept as ISO 8601 text (yyyy-MM-dd) in
// section "Settings", key "Duration"; a missing or unreadable value is
// replaced by today's date without a message.
void CheckUpdateReminder(const QDate &today = QDate::currentDate());

} // namespace veltara
