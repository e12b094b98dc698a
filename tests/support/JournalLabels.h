#pragma once

#include "journal/JournalEntry.h"

namespace tagwright::test {

// The entry of a "100 Hour" label printed for an aircraft, before the journal stamps it.
inline journal::JournalEntry labelFor(const QString& registration, const QString& make = {},
                                      const QString& serial = {})
{
    journal::JournalEntry e;
    e.facts.templateTitle = QStringLiteral("100 Hour");
    e.line(journal::Slot::Registration) = {QStringLiteral("Reg #"), registration};
    e.line(journal::Slot::Make) = {QStringLiteral("Make"), make};
    e.line(journal::Slot::Serial) = {QStringLiteral("Serial"), serial};
    e.request.label.date = QStringLiteral("03-07-2026");
    e.request.label.body = QStringLiteral("Performed 100 hour inspection.");
    e.destination = QStringLiteral("/tmp/label.pdf");
    e.result = QStringLiteral("Printed");
    return e;
}

}  // namespace tagwright::test
