#pragma once

#include "ProviderRecord.h"

namespace tarvok {

// Which calls one row of the provider table serves, decoded once from its texts the way
// the dial reads them: "Tag" compared exactly, "ab" and "bis" by their leading numbers,
// "Weite" searched for the letters N, F and A.
struct RowFit {
    explicit RowFit(const ProviderRow& row);

    bool fitsDistance(int distance) const; // 1 near, 2 far, 3 abroad
    bool fitsDay(int weekday) const;       // 1 Monday .. 7 Sunday
    bool fitsHour(int hour) const;         // 0..23
    bool knownDay() const { return m_days != 0; }
    bool anyDistance() const { return m_distances != 0; }
    bool anyHour() const { return firstHour() < endHour(); }
    bool fitsSomeCall() const { return knownDay() && anyDistance() && anyHour(); }

    // The hours 0..23 the window covers: [firstHour, endHour).
    int firstHour() const;
    int endHour() const;

private:
    unsigned m_distances = 0; // bit d-1 for distance d
    unsigned m_days = 0;      // bit w-1 for weekday w
    int m_start = 0;
    int m_end = 0;
};

} // namespace tarvok
