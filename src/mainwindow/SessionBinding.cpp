#include "SessionBinding.h"

#include "ClickLabel.h"
#include "MainWindowControls.h"

#include "printing/BoxText.h"
#include "session/CardSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace tagwright::mainwindow {

namespace {

const QString MarkX = QStringLiteral("X");

// Shows a value from the session in `box` as no edit of the box's own; returns what the box
// holds then.
QString showText(QLineEdit* box, const QString& text)
{
    if (box->text() != text) {
        const QSignalBlocker quiet(box);
        box->setText(text);
    }
    return box->text();
}

session::BodyFont bodyFontOf(const QFont& font)
{
    return {font.family(), float(font.pointSizeF()), font.bold(), font.italic()};
}

}  // namespace

SessionBinding::SessionBinding(session::CardSession& session, const MainWindowControls& controls,
                               QObject* parent)
    : QObject(parent), m_session(session), m_controls(controls)
{
    bindTitle();
    bindBody();
    bindValues();
    bindOptions();
    bindSignatory();
    bindPrintOptions();
}

void SessionBinding::bindTitle()
{
    using session::CardSession;
    for (QLineEdit* box : m_controls.titleBoxes) {
        connect(box, &QLineEdit::textChanged, &m_session, &CardSession::setTitle);
        showText(box, m_session.title());
    }
    connect(&m_session, &CardSession::titleChanged, this, [this] {
        QString shown;
        for (QLineEdit* box : m_controls.titleBoxes)
            shown = showText(box, m_session.title());
        m_session.setTitle(shown);
    });
}

void SessionBinding::bindBody()
{
    using session::CardSession;
    QPlainTextEdit* body = m_controls.bodyBox;
    m_session.setBody(body->toPlainText());
    connect(body, &QPlainTextEdit::textChanged, this,
            [this, body] { m_session.setBody(body->toPlainText()); });
    connect(&m_session, &CardSession::bodyChanged, this, [this, body] {
        if (body->toPlainText() == m_session.body())
            return;
        {
            const QSignalBlocker quiet(body);
            body->setPlainText(m_session.body());
        }
        m_session.setBody(body->toPlainText());  // what the box made of it
    });

    // A size the box cannot take leaves it at its default size, and that is what shows and
    // prints.
    m_session.setBodyFont(bodyFontOf(body->font()));
    connect(&m_session, &CardSession::bodyFontChanged, this, [this, body] {
        const session::BodyFont& wanted = m_session.bodyFont();
        QFont font(wanted.FontName);
        font.setPointSizeF(wanted.FontSize);
        font.setBold(wanted.FontBold);
        font.setItalic(wanted.FontItalic);
        body->setFont(font);
        m_session.setBodyFont(bodyFontOf(body->font()));
    });

    // The hidden holder keeps the path where it has always been found.
    m_controls.logoPathHolder->setText(m_session.logo());
    connect(&m_session, &CardSession::logoChanged, this,
            [this] { m_controls.logoPathHolder->setText(m_session.logo()); });
}

void SessionBinding::bindValues()
{
    using session::CardSession;
    const MainWindowControls& c = m_controls;
    CardSession& s = m_session;
    bindLines(
        c.valueBoxes, [&s](int line, const QString& text) { s.setAircraftValue(line, text); },
        [&s](int line) { return s.aircraftValue(line); }, &CardSession::aircraftValueChanged);
    bindLines(
        c.captionBoxes, [&s](int line, const QString& text) { s.setCaption(line, text); },
        [&s](int line) { return s.caption(line); }, &CardSession::captionChanged);

    m_session.setDate(c.dateBox->text());
    connect(c.dateBox, &QLineEdit::textChanged, &m_session, &CardSession::setDate);
    connect(&m_session, &CardSession::dateChanged, this,
            [this] { m_session.setDate(showText(m_controls.dateBox, m_session.date())); });
}

void SessionBinding::bindOptions()
{
    using session::CardSession;
    const MainWindowControls& c = m_controls;
    m_session.setPrintsCompany(c.companyCheck->isChecked());
    m_session.setPrintsSignature(c.signedCheck->isChecked());
    connect(c.companyCheck, &QCheckBox::toggled, &m_session, &CardSession::setPrintsCompany);
    connect(c.signedCheck, &QCheckBox::toggled, &m_session, &CardSession::setPrintsSignature);
    connect(&m_session, &CardSession::optionsChanged, this, [this] {
        for (auto [box, ticked] : {std::pair{m_controls.companyCheck, m_session.printsCompany()},
                                   std::pair{m_controls.signedCheck, m_session.printsSignature()}}) {
            const QSignalBlocker quiet(box);
            box->setChecked(ticked);
        }
    });
}

void SessionBinding::bindSignatory()
{
    using session::CardSession;
    // The list's text is what prints, whether chosen or typed (an editable list signals a
    // change of its current text for both).
    QComboBox* list = m_controls.signatoryList;
    const auto takeSignatory = [this, list] { m_session.setSignatory(list->currentText()); };
    takeSignatory();
    connect(list, &QComboBox::currentTextChanged, this, takeSignatory);
    connect(&m_session, &CardSession::signatoryChanged, this, [this, list] {
        if (list->currentText() != m_session.signatory())
            list->setEditText(m_session.signatory());
    });
}

void SessionBinding::bindLines(const std::array<QLineEdit*, 6>& boxes,
                               std::function<void(int, const QString&)> set,
                               std::function<QString(int)> get,
                               void (session::CardSession::*changed)(int))
{
    for (int line = 0; line < int(boxes.size()); ++line) {
        QLineEdit* box = boxes[std::size_t(line)];
        set(line, box->text());
        connect(box, &QLineEdit::textChanged, this,
                [set, line](const QString& text) { set(line, text); });
    }
    connect(&m_session, changed, this, [boxes, get, set](int line) {
        set(line, showText(boxes[std::size_t(line)], get(line)));
    });
}

void SessionBinding::bindPrintOptions()
{
    using session::CardSession;
    const MainWindowControls& c = m_controls;
    // Read as jobs have always read the box: its leading number, so "2.5" prints two.
    const auto takeCopies = [this](const QString& text) {
        m_session.setCopies(printing::boxtext::leadingNumber(text));
    };
    takeCopies(c.copiesBox->text());
    connect(c.copiesBox, &QLineEdit::textChanged, this, takeCopies);
    connect(&m_session, &CardSession::copiesChanged, this, [this] {
        QLineEdit* box = m_controls.copiesBox;
        if (printing::boxtext::leadingNumber(box->text()) != m_session.copies())
            box->setText(QString::number(m_session.copies()));
    });

    for (int cell = 1; cell <= CardSession::SheetCells; ++cell) {
        ClickLabel* label = c.skipCells[std::size_t(cell - 1)];
        m_session.setCellUsed(cell, label->text() == MarkX);
        connect(label, &ClickLabel::clicked, this, [this, cell] { m_session.toggleCell(cell); });
    }
    connect(&m_session, &CardSession::cellUsedChanged, this, [this](int cell) {
        m_controls.skipCells[std::size_t(cell - 1)]->setText(m_session.cellUsed(cell) ? MarkX : QString());
    });
}

}  // namespace tagwright::mainwindow
