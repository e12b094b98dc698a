#pragma once

#include "store/StoreError.h"

namespace tagwright::store {
class Database;
}

namespace tagwright::startup {

// Fills a new main database with a few everyday templates, so a new user sees a real label
// at once. No shop settings and no signatories: those are the shop's own.
store::StoreError addExampleTemplates(store::Database& main);

}  // namespace tagwright::startup
