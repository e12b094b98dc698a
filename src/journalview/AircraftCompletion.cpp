#include "AircraftCompletion.h"

#include "journal/JournalWriter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QStringListModel>

namespace tagwright::journalview {

namespace {

// The value boxes in the window's order: Reg #, Make, Serial, Tach, T.T., SMOH.
enum Box { RegistrationBox, MakeBox, SerialBox, TachBox, TotalTimeBox, SinceOverhaulBox };

}  // namespace

AircraftCompletion::AircraftCompletion(store::Database& journal, journal::JournalWriter& writer,
                                       const std::array<QLineEdit*, 6>& valueBoxes, QObject* parent)
    : QObject(parent),
      m_valueBoxes(valueBoxes),
      m_journal(journal),
      m_registration(valueBoxes[RegistrationBox]),
      m_registrations(new QStringListModel(this)),
      m_completer(new QCompleter(m_registrations, this))
{
    m_completer->setObjectName(QStringLiteral("registrationCompleter"));
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_registration->setCompleter(m_completer);
    // The list reads like the box it completes.
    m_completer->popup()->setFont(m_registration->font());
    m_registration->installEventFilter(this);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this, &AircraftCompletion::choose);
    // Another registration typed over a chosen one takes its hints away.
    connect(m_registration, &QLineEdit::textEdited, this, &AircraftCompletion::clearHints);
    // The aircraft of a print just made are offered as soon as its entry is written.
    connect(&writer, &journal::JournalWriter::entryWritten, this, &AircraftCompletion::reloadRegistrations);
}

bool AircraftCompletion::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_registration && event->type() == QEvent::FocusIn)
        reloadRegistrations();
    return QObject::eventFilter(watched, event);
}

void AircraftCompletion::reloadRegistrations()
{
    QVector<journal::Aircraft> list;
    // What is written is offered: the focus never waits for the journal's writer. Without the journal (a database opened read-only) there is simply nothing to offer.
    if (!m_journal.aircraft(list).ok())
        list.clear();
    QStringList registrations;
    for (const journal::Aircraft& plane : list)
        registrations << plane.registration;
    if (registrations != m_registrations->stringList())
        m_registrations->setStringList(registrations);
}

void AircraftCompletion::choose(const QString& registration)
{
    const store::Result<std::optional<journal::Aircraft>> known = m_journal.aircraftNamed(registration);
    if (!known || !*known)
        return;   // an aircraft the journal cannot tell about fills nothing
    const journal::Aircraft& plane = **known;
    const auto& boxes = m_valueBoxes;
    for (auto [box, value] : {std::pair{MakeBox, plane.make}, std::pair{SerialBox, plane.serial}}) {
        if (boxes[box]->text().isEmpty() && !value.isEmpty())
            boxes[box]->setText(value);
    }
    const std::pair<int, QString> times[] = {{TachBox, plane.tach},
                                             {TotalTimeBox, plane.totalTime},
                                             {SinceOverhaulBox, plane.sinceOverhaul}};
    for (const auto& [box, value] : times) {
        boxes[box]->setPlaceholderText(value);
        boxes[box]->setToolTip(value.isEmpty() ? QString()
                                               : QStringLiteral("Last printed for %1: %2 (label dated %3)")
                                                     .arg(plane.registration, value, plane.timesDate));
    }
}

void AircraftCompletion::clearHints()
{
    const auto& boxes = m_valueBoxes;
    for (int box : {TachBox, TotalTimeBox, SinceOverhaulBox}) {
        boxes[box]->setPlaceholderText(QString());
        boxes[box]->setToolTip(QString());
    }
}

}  // namespace tagwright::journalview
