#pragma once

#include <QString>

#include <ostream>

// Failures show texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
