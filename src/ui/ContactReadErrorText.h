#pragma once

#include "ContactNumber.h"

#include <QString>

namespace tarvok {

// Why the contact file `fileName` was not imported, in the user's words.
QString ContactReadErrorText(const QString& fileName, const ContactFileContent& content);

} // namespace tarvok
