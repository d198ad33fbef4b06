// The dialog "Report Details": the practitioner's name and contact that the
// chart's report prints in its footer, entered once and kept in the settings.
#pragma once

#include "reportdetails.h"

#include <QDialog>

class QLineEdit;

namespace veltara::chartview {

class ReportDetailsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReportDetailsDialog(const ReportDetails &details, QWidget *parent = nullptr);

    ReportDetails details() const;

private:
    QLineEdit *m_practitioner = nullptr;
    QLineEdit *m_contact = nullptr;
};

// Shows the dialog with the stored details and stores what is accepted; a
// store that refuses the write is told in a message.
void EditReportDetails(QWidget *parent);

} // namespace veltara::chartview
