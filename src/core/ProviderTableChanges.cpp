#include "ProviderTableChanges.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace tarvok {

namespace {

using Rows = std::vector<ProviderRow>;

struct Matched {
    Rows before;
    Rows after;
};

QString KeyOf(const ProviderRow& row) {
    // A unit separator cannot come from the file or the editor.
    return row[ColNetz] + QChar(0x1f) + row[ColName];
}

} // namespace

ProviderTableChanges CompareProviderTables(const ProviderTable& before,
                                           const ProviderTable& after) {
    QHash<QString, Matched> byKey;
    for (int i = 0; i < before.rowCount(); ++i)
        byKey[KeyOf(before.row(i))].before.push_back(before.row(i));
    for (int i = 0; i < after.rowCount(); ++i)
        byKey[KeyOf(after.row(i))].after.push_back(after.row(i));

    ProviderTableChanges changes;
    for (Matched& rows : byKey) {
        // Identical rows are unchanged; pair them off first.
        Rows unmatched;
        for (ProviderRow& row : rows.after) {
            auto same = std::find(rows.before.begin(), rows.before.end(), row);
            if (same != rows.before.end())
                rows.before.erase(same);
            else
                unmatched.push_back(std::move(row));
        }
        const int paired = int(std::min(rows.before.size(), unmatched.size()));
        changes.changed += paired;
        changes.added += int(unmatched.size()) - paired;
        changes.removed += int(rows.before.size()) - paired;
    }
    return changes;
}

} // namespace tarvok
