#pragma once

#include "journal/JournalEntry.h"

class QWidget;

#include "JournalPlace.h"

namespace tagwright::journalview {

// Prints `entry` again exactly as it printed then, where the window's Print prints, and
// journals the reprint naming the entry it repeats. Tells the user how it went (in a message
// over `parent`) the way Print does.
void reprintEntry(const JournalPlace& place, QWidget* parent, const journal::JournalEntry& entry);

// Shows `entry` in the print preview; printing from there is journaled as a reprint.
void previewEntry(const JournalPlace& place, const journal::JournalEntry& entry);

}  // namespace tagwright::journalview
