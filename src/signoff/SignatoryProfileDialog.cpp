#include "SignatoryProfileDialog.h"

#include "printing/LabelParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tagwright::signoff {

SignatoryProfileDialog::SignatoryProfileDialog(const store::SignatoryProfile& profile, Start start,
                                               QWidget* parent)
    : QDialog(parent),
      m_name(new QLineEdit(profile.name, this)),
      m_kind(new QComboBox(this)),
      m_number(new QLineEdit(profile.certificateNumber, this)),
      m_printed(new QLabel(this))
{
    setObjectName(QStringLiteral("SignatoryProfileDialog"));
    setWindowTitle(QStringLiteral("Signatory"));
    m_name->setObjectName(QStringLiteral("signatoryName"));
    m_name->setMaxLength(store::SignatoryNameLength);
    m_kind->setObjectName(QStringLiteral("certificateKind"));
    m_kind->setEditable(true);
    m_kind->setInsertPolicy(QComboBox::NoInsert);
    m_kind->addItems(store::suggestedCertificateKinds());
    m_kind->lineEdit()->setMaxLength(store::CertificateKindLength);
    m_kind->setEditText(profile.certificateKind);
    m_number->setObjectName(QStringLiteral("certificateNumber"));
    m_number->setMaxLength(store::CertificateNumberLength);
    m_printed->setObjectName(QStringLiteral("printedLine"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Kind of certificate:"), m_kind);
    form->addRow(QStringLiteral("Certificate n&umber:"), m_number);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    m_save = buttons->button(QDialogButtonBox::Save);
    m_save->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Printed under the signature line:"), this));
    layout->addWidget(m_printed);
    layout->addWidget(buttons);

    connect(m_name, &QLineEdit::textChanged, this, &SignatoryProfileDialog::showPrintedLine);
    connect(m_kind, &QComboBox::currentTextChanged, this, &SignatoryProfileDialog::showPrintedLine);
    connect(m_number, &QLineEdit::textChanged, this, &SignatoryProfileDialog::showPrintedLine);
    showPrintedLine();

    QLineEdit* first = start == Start::Name ? m_name : start == Start::Kind ? m_kind->lineEdit() : m_number;
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
}

store::SignatoryProfile SignatoryProfileDialog::profile() const
{
    return {m_name->text().trimmed(), m_kind->currentText().trimmed(), m_number->text().trimmed()};
}

// A nameless signatory cannot be saved: the list finds signatories by name.
void SignatoryProfileDialog::showPrintedLine()
{
    const store::SignatoryProfile shown = profile();
    m_printed->setText(printing::signOffLine(shown.name, printing::certificateText(shown.certificateKind,
                                                                                     shown.certificateNumber)));
    m_save->setEnabled(!shown.name.isEmpty());
}

}  // namespace tagwright::signoff
