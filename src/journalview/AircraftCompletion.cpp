#include "AircraftCompletion.h"

#include "journal/Disagreement.h"
#include "journal/JournalWriter.h"
#include "ui/UserDialogs.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>

namespace tagwright::journalview {

namespace {

// The value boxes in the window's order: Reg #, Make, Serial, Tach, T.T., SMOH.
enum Box { RegistrationBox, MakeBox, SerialBox, TachBox, TotalTimeBox, SinceOverhaulBox };

}  // namespace

AircraftCompletion::AircraftCompletion(store::Database& journal, journal::JournalWriter& writer,
                                       const std::array<QLineEdit*, 6>& valueBoxes,
                                       ui::UserDialogs& dialogs, QWidget* window)
    : QObject(window),
      m_valueBoxes(valueBoxes),
      m_dialogs(dialogs),
      m_window(window),
      m_journal(journal),
      m_registration(valueBoxes[RegistrationBox]),
      m_registrations(new QStandardItemModel(0, 3, this)),
      m_completer(new QCompleter(m_registrations, this))
{
    m_completer->setObjectName(QStringLiteral("registrationCompleter"));
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setCompletionColumn(0);
    // Each aircraft offered with its make and serial, in columns wide enough to read them.
    auto* popup = new QTreeView;
    popup->setObjectName(QStringLiteral("registrationPopup"));
    popup->setHeaderHidden(true);
    popup->setRootIsDecorated(false);
    popup->setUniformRowHeights(true);
    popup->setSelectionBehavior(QAbstractItemView::SelectRows);
    popup->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_completer->setPopup(popup);
    m_registration->setCompleter(m_completer);
    // The list reads like the box it completes.
    popup->setFont(m_registration->font());
    m_registration->installEventFilter(this);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this, &AircraftCompletion::choose);
    // Another registration typed over a chosen one takes its hints away.
    connect(m_registration, &QLineEdit::textChanged, this, &AircraftCompletion::registrationShown);
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
    // What is written is offered: the focus never waits for the journal's writer. Without
    // the journal (a database opened read-only) there is simply nothing to offer.
    store::Result<QVector<journal::Aircraft>> known = m_journal.aircraft();
    const QVector<journal::Aircraft> list = known ? std::move(known).value() : QVector<journal::Aircraft>();
    QVector<QStringList> rows;
    for (const journal::Aircraft& plane : list)
        rows << QStringList{plane.registration, plane.make, plane.serial};
    if (rows == m_shown)
        return;
    m_shown = rows;
    m_registrations->setRowCount(0);
    for (const QStringList& row : std::as_const(rows)) {
        QList<QStandardItem*> items;
        for (const QString& text : row)
            items << new QStandardItem(text);
        m_registrations->appendRow(items);
    }
    fitPopup();
}

void AircraftCompletion::fitPopup()
{
    auto* popup = static_cast<QTreeView*>(m_completer->popup());
    const QFontMetrics metrics(popup->font());
    // A column's room: its longest text and the view's cell margins.
    const int margin = metrics.horizontalAdvance(QStringLiteral("MM"));
    int width = 2 * popup->frameWidth() + popup->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_registrations->columnCount(); ++column) {
        int widest = 0;
        for (int row = 0; row < m_registrations->rowCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(m_registrations->item(row, column)->text()));
        popup->setColumnWidth(column, widest + margin);
        width += widest + margin;
    }
    // The completer sizes its list to the box; a wider list keeps this width.
    popup->setMinimumWidth(width);
}

void AircraftCompletion::choose(const QString& registration)
{
    const store::Result<std::optional<journal::Aircraft>> known = m_journal.aircraftNamed(registration);
    if (!known || !*known)
        return;   // an aircraft the journal cannot tell about fills nothing
    const journal::Aircraft& plane = **known;
    const auto& boxes = m_valueBoxes;
    if (replaceTypedValues(plane)) {
        for (auto [box, value] : {std::pair{MakeBox, plane.make}, std::pair{SerialBox, plane.serial}}) {
            if (!value.isEmpty())
                boxes[box]->setText(value);
        }
    }
    m_hinted = plane.registration.trimmed();
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

// Whether the known make and serial go in: at once when the boxes hold nothing else (the
// journal's rule: blanks, underscores and letter case never differ), else as the user says.
bool AircraftCompletion::replaceTypedValues(const journal::Aircraft& plane)
{
    const std::optional<journal::Disagreement> typed =
        journal::disagreementWith(plane, m_valueBoxes[MakeBox]->text(), m_valueBoxes[SerialBox]->text());
    if (!typed)
        return true;
    const QString known = QStringLiteral("Use the known values");
    const int choice = m_dialogs.askChoice(
        m_window, QMessageBox::Question, QStringLiteral("Aircraft"),
        typed->sentence() + QStringLiteral(".\n\nUse the known values, or keep what is typed?"),
        {known, QStringLiteral("Keep what is typed")});
    return choice == 0;
}

void AircraftCompletion::registrationShown(const QString& registration)
{
    if (registration.trimmed().compare(m_hinted, Qt::CaseInsensitive) != 0)
        clearHints();
}

void AircraftCompletion::clearHints()
{
    m_hinted.clear();
    const auto& boxes = m_valueBoxes;
    for (int box : {TachBox, TotalTimeBox, SinceOverhaulBox}) {
        boxes[box]->setPlaceholderText(QString());
        boxes[box]->setToolTip(QString());
    }
}

}  // namespace tagwright::journalview
