// What the chart's report carries besides the chart: the practitioner's name
// and contact for its footer, and whether it ends with the appendix (the
// arithmetic, the characters not counted, the parts left out). Kept in the
// settings store under a group of their own, beside the update reminder's.
#pragma once

#include <QString>

namespace veltara {

struct ReportDetails {
    QString practitioner; // the name in the footer
    QString contact;      // a telephone number, an address, a web page ...

    // Whether there is a footer to print.
    bool isEmpty() const { return practitioner.trimmed().isEmpty() && contact.trimmed().isEmpty(); }
};

// The details as stored; empty until entered.
ReportDetails LoadReportDetails();
// False when the store cannot be written.
bool SaveReportDetails(const ReportDetails &details);

// Whether the report leaves out its appendix; false until chosen.
bool ReportLeavesOutAppendix();
bool SaveReportLeavesOutAppendix(bool leaveOut);

} // namespace veltara
