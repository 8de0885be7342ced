#include "ImportPlan.h"

namespace tarvok {

// Kept apart from the plan so that the plan links without the number library.
ImportRules StandardImportRules(const QString& ownCountryCode, const QString& ownAreaCode) {
    return {[ownCountryCode, ownAreaCode](const QString& text) {
                return NormaliseExternalNumber(text, ownCountryCode, ownAreaCode);
            },
            [](const QString& text) { return MakeStorable(text); }};
}

} // namespace tarvok
