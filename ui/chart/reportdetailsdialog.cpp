#include "reportdetailsdialog.h"

#include "messages.h"
#include "reportdetails.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace veltara::chartview {

void EditReportDetails(QWidget *parent)
{
    const ReportDetails details = LoadReportDetails();
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("reportDetailsDialog"));
    dialog.setWindowTitle(QStringLiteral("Report Details"));
    auto *form = new QFormLayout(&dialog);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto *intro = new QLabel(QStringLiteral("The footer of every page of the chart's PDF. Leave both empty for none."),
                             &dialog);
    intro->setWordWrap(true);
    form->addRow(intro);
    auto *practitioner = new QLineEdit(details.practitioner, &dialog);
    practitioner->setObjectName(QStringLiteral("reportPractitioner"));
    practitioner->setAccessibleName(QStringLiteral("Your name"));
    auto *contact = new QLineEdit(details.contact, &dialog);
    contact->setObjectName(QStringLiteral("reportContact"));
    contact->setAccessibleName(QStringLiteral("Contact"));
    contact->setPlaceholderText(QStringLiteral("Telephone, e-mail or web page"));
    for (QLineEdit *edit : {practitioner, contact}) {
        edit->setClearButtonEnabled(true);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 40);
    }
    form->addRow(QStringLiteral("Your &name:"), practitioner);
    form->addRow(QStringLiteral("&Contact:"), contact);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!SaveReportDetails({practitioner->text().trimmed(), contact->text().trimmed()}))
        MsgBox(QStringLiteral("The report details could not be kept in the settings."),
               MsgStyle::OkOnly + MsgStyle::Critical, QStringLiteral("Report Details"));
}

} // namespace veltara::chartview
