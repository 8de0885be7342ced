#pragma once

#include <QChar>
#include <QString>

#include <algorithm>

// A name or number meant for a phone-book line: no line break, no other control.
inline bool holdsControl(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    });
}
