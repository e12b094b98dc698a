#include "SignOffFeatures.h"

#include "StatementPicker.h"

#include "mainwindow/LabelSource.h"
#include "mainwindow/MainWindowControls.h"
#include "printing/Completeness.h"
#include "printing/PrintRequest.h"
#include "session/CardSession.h"
#include "store/SignatoryStore.h"
#include "ui/ListSearch.h"
#include "ui/UserDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace tagwright::signoff {

namespace {

// The Edit menu, between File and Template.
QMenu* editMenu(QMenuBar* menuBar, QWidget* window)
{
    if (auto* edit = menuBar->findChild<QMenu*>(QStringLiteral("menuEdit")))
        return edit;
    auto* edit = new QMenu(QStringLiteral("&Edit"), menuBar);
    edit->setObjectName(QStringLiteral("menuEdit"));
    edit->setFont(window->font());
    auto* templates = menuBar->findChild<QMenu*>(QStringLiteral("menuTemplate"));
    if (templates)
        menuBar->insertMenu(templates->menuAction(), edit);
    else
        menuBar->addMenu(edit);
    return edit;
}

}  // namespace

SignOffFeatures::SignOffFeatures(QMenuBar* menuBar, mainwindow::MainWindowControls& controls,
                                 mainwindow::LabelSource& label, const SignOffPlace& place)
    : QObject(place.window), m_controls(controls), m_place(place)
{
    setObjectName(QStringLiteral("SignOffFeatures"));
    QComboBox* list = controls.signatoryList;
    list->installEventFilter(this);
    QLineEdit* name = list->lineEdit();
    name->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(name, &QWidget::customContextMenuRequested, this, [this, name](const QPoint& position) {
        QMenu* menu = name->createStandardContextMenu();
        menu->addSeparator();
        QAction* profile = menu->addAction(QStringLiteral("Signatory &Profile...\tF2"));
        connect(profile, &QAction::triggered, this, [this] { editSignatory(SignatoryProfileDialog::Start::Kind); });
        menu->exec(name->mapToGlobal(position));
        delete menu;
    });

    m_insertStatement = new QAction(QStringLiteral("Insert &Statement..."), this);
    m_insertStatement->setObjectName(QStringLiteral("actionInsertStatement"));
    connect(m_insertStatement, &QAction::triggered, this, &SignOffFeatures::insertStatement);
    QMenu* edit = editMenu(menuBar, place.window);
    edit->addAction(m_insertStatement);
    // Only where the body can be seen: not under the setup or the print panel.
    connect(edit, &QMenu::aboutToShow, this, [this] {
        m_insertStatement->setEnabled(m_place.session.mode().panel == session::Panel::None);
    });
    QPlainTextEdit* body = controls.bodyBox;
    body->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(body, &QWidget::customContextMenuRequested, this, [this, body](const QPoint& position) {
        QMenu* menu = bodyContextMenu(position);
        menu->exec(body->viewport()->mapToGlobal(position));
        delete menu;
    });

    label.setPrintCheck([this](printing::PrintRequest& request) { return confirmComplete(request); });
}

bool SignOffFeatures::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        editSignatory(SignatoryProfileDialog::Start::Kind);
        return true;
    }
    return false;
}

std::optional<store::SignatoryProfile> SignOffFeatures::editSignatory(SignatoryProfileDialog::Start start)
{
    const store::SignatoryStore& signatories = m_place.signatories;
    const QString name = m_controls.signatoryList->currentText().trimmed();
    std::optional<store::SignatoryProfile> stored;
    if (!name.isEmpty()) {
        const auto found = signatories.find(name);
        if (!found) {
            m_place.dialogs.showMessage(m_place.window, QMessageBox::Critical,
                                        QStringLiteral("Signatory not read"), found.error().describe());
            return {};
        }
        stored = *found;
    }
    const QString formerName = stored ? stored->name : name;
    SignatoryProfileDialog dialog(stored.value_or(store::SignatoryProfile{name, {}, {}}),
                                  name.isEmpty() ? SignatoryProfileDialog::Start::Name : start, m_place.window);
    if (!m_place.dialogs.runDialog(dialog))
        return {};
    const store::SignatoryProfile edited = dialog.profile();
    if (edited.name.compare(formerName, Qt::CaseInsensitive) != 0) {
        // A name taken already would leave two signatories that print alike.
        if (const auto namesake = signatories.find(edited.name); namesake && *namesake) {
            m_place.dialogs.showMessage(m_place.window, QMessageBox::Warning, QStringLiteral("Signatory not saved"),
                                        QStringLiteral("%1 is a signatory already.").arg((*namesake)->name));
            return {};
        }
    }
    if (const store::Result<bool> saved = signatories.save(edited, formerName); !saved) {
        m_place.dialogs.showMessage(m_place.window, QMessageBox::Critical, QStringLiteral("Signatory not saved"),
                                    saved.error().describe());
        return {};
    }
    showSaved(edited, formerName);
    return edited;
}

// The list follows the table: a new signatory joins the list, a renamed one changes its
// entry, and the saved one is chosen.
void SignOffFeatures::showSaved(const store::SignatoryProfile& profile, const QString& formerName)
{
    QComboBox* list = m_controls.signatoryList;
    int index = formerName.isEmpty() ? -1 : ui::exactListSearch(list, formerName);
    if (index < 0) {
        list->addItem(profile.name);
        index = list->count() - 1;
    } else {
        list->setItemText(index, profile.name);
    }
    list->setCurrentIndex(index);
    list->setEditText(profile.name);
}

bool SignOffFeatures::confirmComplete(printing::PrintRequest& request)
{
    printing::MissingFacts missing = printing::missingFacts(request.label);
    while (missing.any()) {
        QStringList choices{QStringLiteral("Print anyway")};
        if (!missing.signatory.isEmpty())
            choices << QStringLiteral("Add the number");
        const QString text = missing.message()
            + QStringLiteral("\nA maintenance record names the certificate of the person who signs it, and its date.");
        const int answer = m_place.dialogs.askChoice(m_place.window, QMessageBox::Warning, QStringLiteral("Print"),
                                                     text, choices);
        if (answer == 0)
            return true;
        if (answer < 0)
            return false;
        const std::optional<store::SignatoryProfile> saved = editSignatory(SignatoryProfileDialog::Start::Number);
        if (!saved)
            return false;
        // The label prints what was saved: the name as given and the certificate.
        request.label.signatory = saved->name;
        request.label.certificateKind = saved->certificateKind;
        request.label.certificateNumber = saved->certificateNumber;
        missing = printing::missingFacts(request.label);
    }
    return true;
}

void SignOffFeatures::insertStatement()
{
    if (!m_insertStatement->isEnabled())
        return;
    StatementPicker picker(m_place.database, m_place.dialogs, m_place.window);
    if (!m_place.dialogs.runDialog(picker))
        return;
    QPlainTextEdit* body = m_controls.bodyBox;
    body->insertPlainText(picker.chosenWording());
    body->setFocus(Qt::OtherFocusReason);
}

QMenu* SignOffFeatures::bodyContextMenu(const QPoint& position)
{
    QPlainTextEdit* body = m_controls.bodyBox;
    QMenu* menu = body->createStandardContextMenu(position);
    menu->addSeparator();
    QAction* insert = menu->addAction(m_insertStatement->text());
    insert->setObjectName(QStringLiteral("contextInsertStatement"));
    connect(insert, &QAction::triggered, this, &SignOffFeatures::insertStatement);
    return menu;
}

}  // namespace tagwright::signoff
