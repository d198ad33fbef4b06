#include "reportdetailsdialog.h"

#include "messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace veltara::chartview {

ReportDetailsDialog::ReportDetailsDialog(const ReportDetails &details, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("reportDetailsDialog"));
    setWindowTitle(QStringLiteral("Report Details"));
    auto *form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto *intro = new QLabel(QStringLiteral("The footer of every page of the chart's PDF. Leave both empty for none."),
                             this);
    intro->setWordWrap(true);
    form->addRow(intro);
    m_practitioner = new QLineEdit(details.practitioner, this);
    m_practitioner->setObjectName(QStringLiteral("reportPractitioner"));
    m_practitioner->setAccessibleName(QStringLiteral("Your name"));
    m_contact = new QLineEdit(details.contact, this);
    m_contact->setObjectName(QStringLiteral("reportContact"));
    m_contact->setAccessibleName(QStringLiteral("Contact"));
    m_contact->setPlaceholderText(QStringLiteral("Telephone, e-mail or web page"));
    for (QLineEdit *edit : {m_practitioner, m_contact}) {
        edit->setClearButtonEnabled(true);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 40);
    }
    form->addRow(QStringLiteral("Your &name:"), m_practitioner);
    form->addRow(QStringLiteral("&Contact:"), m_contact);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ReportDetails ReportDetailsDialog::details() const
{
    return {m_practitioner->text().trimmed(), m_contact->text().trimmed()};
}

void EditReportDetails(QWidget *parent)
{
    ReportDetailsDialog dialog(LoadReportDetails(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!SaveReportDetails(dialog.details()))
        MsgBox(QStringLiteral("The report details could not be kept in the settings."),
               MsgStyle::OkOnly + MsgStyle::Critical, QStringLiteral("Report Details"));
}

} // namespace veltara::chartview
