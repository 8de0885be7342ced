#pragma once

#include "ProviderTable.h"

namespace tarvok {

// What an update did to the table, rows matched by network code and name: a row whose
// code and name are new was added, one whose code and name are gone was removed, and one
// that kept them but not its days, hours or distances was changed. Rows that repeat a
// code and name are matched one to one, identical ones first.
struct ProviderTableChanges {
    int added = 0;
    int changed = 0;
    int removed = 0;

    friend bool operator==(const ProviderTableChanges&, const ProviderTableChanges&) = default;
};

ProviderTableChanges CompareProviderTables(const ProviderTable& before, const ProviderTable& after);

} // namespace tarvok
