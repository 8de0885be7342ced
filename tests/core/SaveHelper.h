#pragma once

#include "PhoneBook.h"

namespace tarvok {

inline constexpr int kHelperEntries = 300;

// The book the save helper writes: large enough that a cut-off file is obvious.
inline PhoneBook HelperBook(const QString& generation) {
    PhoneBook book;
    book.settings.ListNames[0] = QStringLiteral("gen") + generation;
    for (int i = 0; i < kHelperEntries; ++i)
        book.lists[size_t(i % 4)].insert(
            {QStringLiteral("Müller %1").arg(i), QStringLiteral("49 89 %1").arg(i), i % 2});
    return book;
}

} // namespace tarvok
