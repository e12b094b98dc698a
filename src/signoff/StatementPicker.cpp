#include "StatementPicker.h"

#include "ui/UserDialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tagwright::signoff {

StatementPicker::StatementPicker(store::Database& database, ui::UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      m_store(database),
      m_dialogs(dialogs),
      m_list(new QListWidget(this)),
      m_title(new QLineEdit(this)),
      m_wording(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("StatementPicker"));
    setWindowTitle(QStringLiteral("Insert Statement"));
    m_list->setObjectName(QStringLiteral("statementList"));
    m_title->setObjectName(QStringLiteral("statementTitle"));
    m_wording->setObjectName(QStringLiteral("statementWording"));
    m_wording->setTabChangesFocus(true);

    auto* buttons = new QDialogButtonBox(this);
    m_insert = buttons->addButton(QStringLiteral("&Insert"), QDialogButtonBox::AcceptRole);
    m_insert->setObjectName(QStringLiteral("insertButton"));
    m_insert->setDefault(true);
    QPushButton* add = buttons->addButton(QStringLiteral("&New"), QDialogButtonBox::ActionRole);
    add->setObjectName(QStringLiteral("newButton"));
    m_save = buttons->addButton(QStringLiteral("&Save"), QDialogButtonBox::ActionRole);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_remove = buttons->addButton(QStringLiteral("&Remove"), QDialogButtonBox::ActionRole);
    m_remove->setObjectName(QStringLiteral("removeButton"));
    buttons->addButton(QDialogButtonBox::Close);
    for (QPushButton* button : {add, m_save, m_remove})
        button->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    auto* listCaption = new QLabel(QStringLiteral("S&tatements:"), this);
    listCaption->setBuddy(m_list);
    layout->addWidget(listCaption, 0, 0);
    layout->addWidget(m_list, 1, 0, 3, 1);
    auto* titleCaption = new QLabel(QStringLiteral("T&itle:"), this);
    titleCaption->setBuddy(m_title);
    layout->addWidget(titleCaption, 0, 1);
    layout->addWidget(m_title, 1, 1);
    auto* wordingCaption = new QLabel(QStringLiteral("&Wording (what is inserted):"), this);
    wordingCaption->setBuddy(m_wording);
    layout->addWidget(wordingCaption, 2, 1);
    layout->addWidget(m_wording, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    resize(820, 320);

    connect(m_list, &QListWidget::currentRowChanged, this, &StatementPicker::chooseRow);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &StatementPicker::addNew);
    connect(m_save, &QPushButton::clicked, this, &StatementPicker::save);
    connect(m_remove, &QPushButton::clicked, this, &StatementPicker::removeShown);
    connect(m_title, &QLineEdit::textChanged, this, &StatementPicker::updateButtons);
    connect(m_wording, &QPlainTextEdit::textChanged, this, &StatementPicker::updateButtons);

    if (store::StoreError error = m_store.all(m_statements); !error.ok())
        complain(QStringLiteral("Statements not read"), error);
    for (const store::Statement& statement : m_statements)
        m_list->addItem(statement.title);
    // Wide enough for the titles the shop starts with, which name their rules.
    m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + 8);
    m_list->setFocus(Qt::OtherFocusReason);
    if (!m_statements.isEmpty())
        m_list->setCurrentRow(0);
    updateButtons();
}

void StatementPicker::done(int result)
{
    if (result == QDialog::Accepted) {
        if (m_shown < 0 || m_wording->toPlainText().isEmpty())
            return;
        m_chosen = m_wording->toPlainText();
    } else if (!settleChanges()) {
        return;
    }
    QDialog::done(result);
}

void StatementPicker::showStatement(int row)
{
    m_shown = row;
    const store::Statement shown = row >= 0 ? m_statements[row] : store::Statement();
    m_title->setText(shown.title);
    m_wording->setPlainText(shown.wording);
    updateButtons();
}

void StatementPicker::chooseRow(int row)
{
    if (row == m_shown)
        return;
    if (!settleChanges()) {
        // Kept: back onto the statement that was being changed.
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(m_shown);
        return;
    }
    // Settling may have removed a new statement never saved, which moves the rows.
    showStatement(m_list->currentRow());
}

bool StatementPicker::changed() const
{
    if (m_shown < 0)
        return false;
    const store::Statement& stored = m_statements[m_shown];
    return stored.id < 0 || m_title->text() != stored.title || m_wording->toPlainText() != stored.wording;
}

bool StatementPicker::settleChanges()
{
    if (!changed())
        return true;
    const QString save = QStringLiteral("Save");
    const int answer = m_dialogs.askChoice(
        this, QMessageBox::Question, QStringLiteral("Insert Statement"),
        QStringLiteral("Save the changes to \"%1\"?").arg(m_title->text()), {save, QStringLiteral("Discard")});
    if (answer < 0)
        return false;
    if (answer == 0)
        return StatementPicker::save();
    if (m_statements[m_shown].id < 0) {
        const QSignalBlocker quiet(m_list);
        m_statements.remove(m_shown);
        delete m_list->takeItem(m_shown);
        m_shown = -1;
    }
    return true;
}

bool StatementPicker::save()
{
    if (m_shown < 0)
        return true;
    store::Statement statement = m_statements[m_shown];
    statement.title = m_title->text().trimmed();
    if (statement.title.isEmpty())
        statement.title = QStringLiteral("Untitled statement");
    statement.wording = m_wording->toPlainText();
    if (store::StoreError error = m_store.save(statement); !error.ok()) {
        complain(QStringLiteral("Statement not saved"), error);
        return false;
    }
    m_statements[m_shown] = statement;
    m_title->setText(statement.title);
    m_list->item(m_shown)->setText(statement.title);
    updateButtons();
    return true;
}

void StatementPicker::addNew()
{
    if (!settleChanges())
        return;
    m_statements.append({-1, QStringLiteral("New statement"), QString()});
    m_list->addItem(m_statements.last().title);
    m_list->setCurrentRow(int(m_statements.size() - 1));
    m_title->setFocus(Qt::OtherFocusReason);
    m_title->selectAll();
}

void StatementPicker::removeShown()
{
    if (m_shown < 0)
        return;
    const store::Statement statement = m_statements[m_shown];
    const int answer = m_dialogs.askChoice(
        this, QMessageBox::Question, QStringLiteral("Remove statement"),
        QStringLiteral("Remove \"%1\" from the statements?").arg(statement.title),
        {QStringLiteral("Remove"), QStringLiteral("Keep")});
    if (answer != 0)
        return;
    if (statement.id >= 0) {
        if (store::StoreError error = m_store.remove(statement.id); !error.ok()) {
            complain(QStringLiteral("Statement not removed"), error);
            return;
        }
    }
    const int row = m_shown;
    m_statements.remove(row);
    m_shown = -1;   // gone: nothing to settle
    delete m_list->takeItem(row);
    showStatement(m_list->currentRow());
    m_list->setFocus(Qt::OtherFocusReason);
}

void StatementPicker::updateButtons()
{
    m_insert->setEnabled(m_shown >= 0 && !m_wording->toPlainText().isEmpty());
    m_save->setEnabled(changed() && !m_title->text().trimmed().isEmpty());
    m_remove->setEnabled(m_shown >= 0);
}

void StatementPicker::complain(const QString& title, const store::StoreError& error)
{
    m_dialogs.showMessage(this, QMessageBox::Critical, title, error.describe());
}

}  // namespace tagwright::signoff
