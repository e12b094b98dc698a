#include "Journal.h"

#include "store/Database.h"
#include "store/Registration.h"
#include "store/Schema.h"

#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>
#include <QSysInfo>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <random>

#include <pwd.h>
#include <unistd.h>

namespace tagwright::journal {

namespace {

using store::StoreError;
namespace j = store::schema::journal;
namespace a = store::schema::aircraft;

const QString* const CaptionFields[6] = {&j::RegistrationCaption, &j::MakeCaption,
                                         &j::SerialCaption,       &j::TachCaption,
                                         &j::TotalTimeCaption,    &j::SinceOverhaulCaption};
const QString* const ValueFields[6] = {&j::Registration, &j::Make,      &j::Serial,
                                       &j::Tach,         &j::TotalTime, &j::SinceOverhaul};

class RecordBuilder {
public:
    RecordBuilder& operator()(const QString& name, const QVariant& value)
    {
        QSqlField field(name, value.metaType());
        field.setValue(value);
        m_record.append(field);
        return *this;
    }
    const QSqlRecord& record() const { return m_record; }

private:
    QSqlRecord m_record;
};

QString timeText(const QDateTime& when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

// The start of a local day, as the stored UTC times compare with it.
QString dayStart(const QDate& day)
{
    return timeText(day.startOfDay());
}

QString cellList(const printing::UsedCells& used)
{
    QStringList numbers;
    for (int cell = 1; cell <= 6; ++cell) {
        if (used.contains(cell))
            numbers << QString::number(cell);
    }
    return numbers.join(u',');
}

printing::UsedCells cellsFrom(const QString& list)
{
    printing::UsedCells cells;
    for (const QString& item : list.split(u',', Qt::SkipEmptyParts))
        cells.insert(item.trimmed().toInt());
    return cells;
}

// An entry number as stored: missing (or a file without the field) for none.
qint64 entryNumber(const QVariant& value)
{
    return value.isNull() || !value.isValid() ? -1 : value.toLongLong();
}

QVariant storedNumber(qint64 number)
{
    return number >= 0 ? QVariant(number) : QVariant(QMetaType::fromType<qint64>());
}

QSqlRecord entryRecord(const JournalEntry& e)
{
    const printing::LabelContent& label = e.request.label;
    const printing::SheetRequest& sheet = e.request.sheet;
    RecordBuilder r;
    r(j::PrintedAt, timeText(e.printedAt))(j::Workstation, e.workstation)(j::UserName, e.user)(
        j::Template, e.facts.templateTitle);
    for (int i = 0; i < 6; ++i)
        r(*CaptionFields[i], label.line(Slot(i)).caption);
    for (int i = 0; i < 6; ++i)
        r(*ValueFields[i], label.line(Slot(i)).value);
    r(j::LabelDate, label.date)(j::Body, label.body)(j::FontName, label.bodyFont.FontName)(
        j::FontSize, double(label.bodyFont.FontSize))(j::FontBold, int(label.bodyFont.FontBold))(
        j::FontItalic, int(label.bodyFont.FontItalic))(j::LogoFile, e.facts.logoFile);
    r(j::CompanyBlock, int(label.printsCompany))(j::CompanyName, label.company.name)(
        j::CompanyAddress, label.company.address)(j::CompanyCSZ, label.company.cityStateZip)(
        j::CompanyPhone, label.company.phone);
    r(j::Signed, int(label.printsSignature))(j::Signatory, label.signatory);
    // A journal that could not be given these fields (a file another program held when it
    // was opened) still records labels that carry none of them.
    for (const auto& [field, value] : {std::pair{&j::CertificateKind, &label.certificateKind},
                                       std::pair{&j::CertificateNumber, &label.certificateNumber},
                                       std::pair{&j::RepairStation, &label.company.repairStation}}) {
        if (!value->isEmpty())
            r(*field, *value);
    }
    r(j::Stock, e.tractorFeed() ? 2 : 1)(j::Copies, int(sheet.copies))(j::UsedCells, cellList(sheet.used));
    r(j::TopRowOffset, sheet.offsets.topRow)(j::MiddleRowOffset, sheet.offsets.middleRow)(
        j::BottomRowOffset, sheet.offsets.bottomRow)(j::LeftColumnOffset, sheet.offsets.leftColumn)(
        j::RightColumnOffset, sheet.offsets.rightColumn);
    r(j::Destination, e.destination)(j::Result, e.result);
    r(j::Repeats, storedNumber(e.facts.repeats));
    return r.record();
}

JournalEntry entryFrom(qint64 number, const QSqlRecord& r)
{
    const auto text = [&](const QString& field) { return r.value(field).toString(); };
    JournalEntry e;
    e.number = number;
    e.printedAt = QDateTime::fromString(text(j::PrintedAt), Qt::ISODateWithMs);
    e.workstation = text(j::Workstation);
    e.user = text(j::UserName);
    e.facts = {text(j::Template), text(j::LogoFile), entryNumber(r.value(j::Repeats))};
    printing::LabelContent& label = e.request.label;
    for (int i = 0; i < 6; ++i)
        label.line(Slot(i)) = {text(*CaptionFields[i]), text(*ValueFields[i])};
    label.date = text(j::LabelDate);
    label.body = text(j::Body);
    label.bodyFont = {text(j::FontName), r.value(j::FontSize).toFloat(), r.value(j::FontBold).toInt() != 0,
                      r.value(j::FontItalic).toInt() != 0};
    label.printsCompany = r.value(j::CompanyBlock).toInt() != 0;
    label.company = {text(j::CompanyName), text(j::CompanyAddress), text(j::CompanyCSZ),
                     text(j::CompanyPhone)};
    label.printsSignature = r.value(j::Signed).toInt() != 0;
    label.signatory = text(j::Signatory);
    // A journal opened only to read may be older than these fields.
    const auto laterText = [&](const QString& field) {
        return r.indexOf(field) < 0 ? QString() : text(field);
    };
    label.certificateKind = laterText(j::CertificateKind);
    label.certificateNumber = laterText(j::CertificateNumber);
    label.company.repairStation = laterText(j::RepairStation);
    printing::SheetRequest& sheet = e.request.sheet;
    e.request.stock = r.value(j::Stock).toInt() == 2 ? printing::LabelStock::Tractor : printing::LabelStock::Laser;
    sheet.copies = r.value(j::Copies).toInt();
    sheet.used = cellsFrom(text(j::UsedCells));
    sheet.offsets = {r.value(j::TopRowOffset).toDouble(), r.value(j::MiddleRowOffset).toDouble(),
                     r.value(j::BottomRowOffset).toDouble(), r.value(j::LeftColumnOffset).toDouble(),
                     r.value(j::RightColumnOffset).toDouble()};
    e.destination = text(j::Destination);
    e.result = text(j::Result);
    return e;
}

Aircraft aircraftFrom(qint64 id, const QSqlRecord& r)
{
    const auto text = [&](const QString& field) { return r.value(field).toString(); };
    const QVariant last = r.value(a::LastEntry);
    return {id,
            text(a::Registration),
            text(a::Make),
            text(a::Serial),
            text(a::Tach),
            text(a::TotalTime),
            text(a::SinceOverhaul),
            text(a::TimesDate),
            last.isNull() ? -1 : last.toLongLong(),
            entryNumber(r.value(a::DisagreeingEntry))};
}

QSqlRecord aircraftRecord(const Aircraft& plane)
{
    RecordBuilder r;
    r(a::Registration, plane.registration)(a::Make, plane.make)(a::Serial, plane.serial)(
        a::Tach, plane.tach)(a::TotalTime, plane.totalTime)(a::SinceOverhaul, plane.sinceOverhaul)(
        a::TimesDate, plane.timesDate)(a::LastEntry, plane.lastEntry)(
        a::DisagreeingEntry, storedNumber(plane.disagreeingEntry));
    return r.record();
}

QString orderField(JournalOrder order)
{
    switch (order) {
    case JournalOrder::Number: return {};
    case JournalOrder::PrintedAt: return j::PrintedAt;
    case JournalOrder::Registration: return j::Registration;
    case JournalOrder::Template: return j::Template;
    case JournalOrder::Destination: return j::Destination;
    case JournalOrder::Result: return j::Result;
    }
    return {};
}

StoreError tablesMissing(store::Database& db)
{
    for (const QString& table : {store::schema::JournalTable, store::schema::AircraftTable}) {
        bool found = false;
        if (StoreError error = db.findTable(table, found); !error.ok())
            return error;
        if (!found) {
            return {store::TableMissing,
                    QStringLiteral("The database has no table \"%1\": it was opened without "
                                   "leave to write, so it could not be given one.").arg(table),
                    db.path()};
        }
    }
    return {};
}

// The error to report for a failed read or write: a missing table when that is the cause
// (a file opened without leave to add it), else the engine's own (a server that did not
// answer is asked nothing more).
StoreError explained(store::Database& db, const StoreError& error)
{
    const bool tableGone = error.message.contains(QLatin1String("no such table"), Qt::CaseInsensitive)
                           || error.message.contains(QLatin1String("does not exist"), Qt::CaseInsensitive);
    if (!tableGone)
        return error;
    const StoreError missing = tablesMissing(db);
    return missing.number == store::TableMissing ? missing : error;
}

QVector<store::Condition> conditionsOf(const JournalFilter& filter)
{
    using Test = store::Condition::Test;
    QVector<store::Condition> conditions;
    if (const QString registration = store::registration::trimmed(filter.registration); !registration.isEmpty()) {
        conditions.append({j::Registration, filter.prefixes ? Test::RegistrationStartsWith : Test::SameRegistration,
                           registration});
    }
    if (const QString title = filter.templateTitle.trimmed(); !title.isEmpty())
        conditions.append({j::Template, filter.prefixes ? Test::StartsWithIgnoringCase : Test::EqualsIgnoringCase, title});
    for (const QString& word : filter.bodyText.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        conditions.append({j::Body, Test::ContainsIgnoringCase, word});
    if (filter.since.isValid())
        conditions.append({j::PrintedAt, Test::AtLeast, dayStart(filter.since)});
    if (filter.until.isValid())
        conditions.append({j::PrintedAt, Test::Before, dayStart(filter.until.addDays(1))});
    if (filter.numberAbove > 0)
        conditions.append({store::schema::RecordId, Test::AtLeast, filter.numberAbove + 1});
    if (filter.numberAtMost > 0)
        conditions.append({store::schema::RecordId, Test::Before, filter.numberAtMost + 1});
    return conditions;
}

}  // namespace

bool isGivenValue(const QString& value)
{
    static const QRegularExpression onlyUnderscores(QStringLiteral("^[_\\s]*$"));
    return !onlyUnderscores.match(value).hasMatch();
}

QString Journal::thisWorkstation()
{
    return QSysInfo::machineHostName();
}

QString Journal::thisUser()
{
    if (const passwd* account = ::getpwuid(::geteuid()); account && account->pw_name)
        return QString::fromLocal8Bit(account->pw_name);
    return qEnvironmentVariable("USER");
}

StoreError Journal::insert(JournalEntry& entry)
{
    if (!entry.printedAt.isValid())
        entry.printedAt = QDateTime::currentDateTimeUtc();
    if (entry.workstation.isEmpty())
        entry.workstation = thisWorkstation();
    if (entry.user.isEmpty())
        entry.user = thisUser();
    qint64 number = -1;
    if (StoreError added = m_database.backend().insert(store::schema::JournalTable, entryRecord(entry), number);
        !added.ok())
        return added;
    entry.number = number;
    entry.disagreement.reset();
    return entry.facts.repeats >= 0 ? StoreError() : learnAircraft(entry);
}

StoreError Journal::add(JournalEntry& entry)
{
    QVector<JournalEntry> one{entry};
    const StoreError error = addAll(one);
    entry = one.first();
    return error;
}

StoreError Journal::whileLocked(const std::function<StoreError()>& write)
{
    // Each try waits out the engine's own busy time (3 s); printers sharing a file take
    // turns, and a writer that holds the lock for longer than this is reported.
    constexpr qint64 PatienceMs = 15000;
    QElapsedTimer waited;
    waited.start();
    for (int attempt = 1;; ++attempt) {
        StoreError error = write();
        if (error.number != store::Locked || waited.elapsed() > PatienceMs)
            return error;
        QThread::msleep(std::uniform_int_distribution<unsigned long>(20, 40 * std::min(attempt, 8))(
            *QRandomGenerator::global()));
    }
}

StoreError Journal::addAll(QVector<JournalEntry>& entries)
{
    const StoreError error = whileLocked([&] {
        return m_database.backend().inTransaction([&]() -> StoreError {
            for (JournalEntry& entry : entries) {
                if (StoreError failed = insert(entry); !failed.ok())
                    return failed;
            }
            return {};
        });
    });
    if (error.ok())
        return error;
    for (JournalEntry& entry : entries) {
        entry.number = -1;
        entry.disagreement.reset();
    }
    return explained(m_database, error);
}

StoreError Journal::settle(qint64 number, const QString& result)
{
    RecordBuilder r;
    r(j::Result, result);
    return whileLocked([&] {
        return m_database.backend().update(store::schema::JournalTable, {number, {}}, r.record());
    });
}

StoreError Journal::learnAircraft(JournalEntry& entry)
{
    const QString registration = store::registration::trimmed(entry.registration());
    if (!isGivenValue(registration))
        return {};
    const store::Result<std::optional<Aircraft>> known = aircraftNamed(registration);
    if (!known)
        return known.error();
    Aircraft plane = known->value_or(Aircraft());
    store::StoreBackend& backend = m_database.backend();
    if (*known) {
        entry.disagreement = disagreementWith(plane, entry.line(Slot::Make).value, entry.line(Slot::Serial).value);
        if (entry.disagreement) {
            plane.disagreeingEntry = entry.number;
            return backend.update(store::schema::AircraftTable, {plane.id, {}}, aircraftRecord(plane));
        }
    } else {
        plane.registration = registration;
    }
    const auto take = [&](Slot slot, QString& kept) {
        const QString value = entry.line(slot).value.trimmed();
        if (!isGivenValue(value))
            return false;
        kept = value;
        return true;
    };
    take(Slot::Make, plane.make);
    take(Slot::Serial, plane.serial);
    bool times = take(Slot::Tach, plane.tach);
    times = take(Slot::TotalTime, plane.totalTime) || times;
    times = take(Slot::SinceOverhaul, plane.sinceOverhaul) || times;
    if (times)
        plane.timesDate = entry.request.label.date.trimmed();
    plane.lastEntry = entry.number;
    if (*known)
        return backend.update(store::schema::AircraftTable, {plane.id, {}}, aircraftRecord(plane));
    qint64 id = -1;
    return backend.insert(store::schema::AircraftTable, aircraftRecord(plane), id);
}

store::Result<std::optional<JournalEntry>> Journal::entry(qint64 number)
{
    store::StoredRecord record;
    if (StoreError error = m_database.backend().read(store::schema::JournalTable, number, record);
        !error.ok())
        return explained(m_database, error);
    if (!record.found)
        return std::optional<JournalEntry>();
    return std::optional<JournalEntry>(entryFrom(number, record.fields));
}

store::Result<QVector<JournalEntry>> Journal::find(const JournalFilter& filter, const JournalPage& page)
{
    store::Selection selection;
    selection.conditions = conditionsOf(filter);
    selection.orderBy = orderField(page.order);
    selection.descending = page.descending;
    selection.limit = page.limit;
    selection.offset = page.offset;
    QVector<store::SelectedRecord> records;
    if (StoreError error = m_database.backend().select(store::schema::JournalTable, selection, records);
        !error.ok())
        return explained(m_database, error);
    QVector<JournalEntry> entries;
    entries.reserve(records.size());
    for (const store::SelectedRecord& record : records)
        entries.append(entryFrom(record.id, record.fields));
    return entries;
}

StoreError Journal::count(const JournalFilter& filter, qint64& entries)
{
    entries = 0;
    if (StoreError error = m_database.backend().count(store::schema::JournalTable, conditionsOf(filter), entries);
        !error.ok())
        return explained(m_database, error);
    return {};
}

StoreError Journal::numbers(const JournalFilter& filter, QVector<qint64>& numbers)
{
    numbers.clear();
    store::Selection selection;
    selection.conditions = conditionsOf(filter);
    selection.fields = QStringList{j::Repeats};
    QVector<store::SelectedRecord> records;
    if (StoreError error = m_database.backend().select(store::schema::JournalTable, selection, records);
        !error.ok())
        return explained(m_database, error);
    for (const store::SelectedRecord& record : records)
        numbers.append(record.id);
    return {};
}

StoreError Journal::newestNumber(qint64& number)
{
    number = 0;
    store::Selection newest;
    newest.fields = QStringList{j::Repeats};
    newest.descending = true;
    newest.limit = 1;
    QVector<store::SelectedRecord> records;
    if (StoreError error = m_database.backend().select(store::schema::JournalTable, newest, records);
        !error.ok())
        return explained(m_database, error);
    if (!records.isEmpty())
        number = records.first().id;
    return {};
}

store::Result<QVector<Aircraft>> Journal::aircraft()
{
    store::Selection selection;
    selection.orderBy = a::Registration;
    QVector<store::SelectedRecord> records;
    if (StoreError error = m_database.backend().select(store::schema::AircraftTable, selection, records);
        !error.ok())
        return explained(m_database, error);
    QVector<Aircraft> list;
    list.reserve(records.size());
    for (const store::SelectedRecord& record : records)
        list.append(aircraftFrom(record.id, record.fields));
    return list;
}

store::Result<std::optional<Aircraft>> Journal::aircraftNamed(const QString& registration)
{
    // By the table's own unique key, so that what is found is what a second one would
    // collide with.
    qint64 id = -1;
    store::StoreBackend& backend = m_database.backend();
    if (StoreError error = backend.findFirst(store::schema::AircraftTable, a::Registration,
                                             store::registration::trimmed(registration), id);
        !error.ok())
        return error;
    if (id < 0)
        return std::optional<Aircraft>();
    store::StoredRecord record;
    if (StoreError error = backend.read(store::schema::AircraftTable, id, record); !error.ok())
        return error;
    if (!record.found)
        return std::optional<Aircraft>();
    return std::optional<Aircraft>(aircraftFrom(id, record.fields));
}

StoreError Journal::correctAircraft(const Aircraft& plane)
{
    Aircraft corrected = plane;
    corrected.registration = store::registration::trimmed(plane.registration);
    corrected.disagreeingEntry = -1;
    if (corrected.registration.isEmpty())
        return {store::EngineFailure, QStringLiteral("An aircraft needs a registration."), m_database.path()};
    return m_database.backend().update(store::schema::AircraftTable, {plane.id, {}},
                                       aircraftRecord(corrected));
}

StoreError Journal::removeAircraft(qint64 id)
{
    return m_database.backend().remove(store::schema::AircraftTable, {id, {}});
}

}  // namespace tagwright::journal
