// The dialog "Report Details": the practitioner's name and contact that the
// chart's report prints in its footer, entered once and kept in the settings.
#pragma once

class QWidget;

namespace veltara::chartview {

// Shows the dialog with the stored details and stores what is accepted; a
// store that refuses the write is told in a message.
void EditReportDetails(QWidget *parent);

} // namespace veltara::chartview
