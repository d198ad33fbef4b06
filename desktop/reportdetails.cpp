#include "reportdetails.h"

#include "settings.h"

namespace veltara {

namespace {

const QString Section = QStringLiteral("Report");
const QString PractitionerKey = QStringLiteral("Practitioner");
const QString ContactKey = QStringLiteral("Contact");
const QString LeaveOutAppendixKey = QStringLiteral("LeaveOutAppendix");

} // namespace

ReportDetails LoadReportDetails()
{
    return {GetSetting(Section, PractitionerKey), GetSetting(Section, ContactKey)};
}

bool SaveReportDetails(const ReportDetails &details)
{
    // Both are tried, so that one refused write does not keep the other.
    const bool name = SaveSetting(Section, PractitionerKey, details.practitioner.trimmed());
    const bool contact = SaveSetting(Section, ContactKey, details.contact.trimmed());
    return name && contact;
}

bool ReportLeavesOutAppendix()
{
    return GetSetting(Section, LeaveOutAppendixKey) == QStringLiteral("true");
}

bool SaveReportLeavesOutAppendix(bool leaveOut)
{
    return SaveSetting(Section, LeaveOutAppendixKey, leaveOut ? QStringLiteral("true") : QStringLiteral("false"));
}

} // namespace veltara
