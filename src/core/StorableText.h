#pragma once

#include <QString>

namespace tarvok {

// A text as the windows-1252 data files can hold it.
struct StorableText {
    QString text;       // letters that windows-1252 lacks replaced by their base letter
    QString replaced;   // the characters so replaced, each once, in order of appearance
    QString unstorable; // characters with no storable form, each once, in order
    bool storable() const { return unstorable.isEmpty(); }
};

// Finds what windows-1252 cannot hold, so that nothing is ever written as "?" unannounced.
StorableText MakeStorable(const QString& text);

} // namespace tarvok
