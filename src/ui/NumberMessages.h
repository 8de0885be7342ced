#pragma once

#include "ExternalNumber.h"

#include <QString>

namespace tarvok {

// The German sentences for numbers the program refuses, one place for every window.

// Why a number cannot be read, as one sentence.
QString ExternalNumberErrorText(ExternalNumberError error);

// The entry editor's message for a number it cannot put into the phone book's form.
QString EntryNumberRefusedText(const QString& number, ExternalNumberError error);

// The dial's message for a stored number with a character the modem must not receive.
QString UndialableNumberText(const QString& name, const QString& number, qsizetype position);

} // namespace tarvok
