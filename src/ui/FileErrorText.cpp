#include "FileErrorText.h"

namespace tarvok {

QString FileErrorText(const FileError& error) {
    const QString file = QStringLiteral("„%1“").arg(error.fileName);
    switch (error.kind) {
    case FileError::Kind::None:
        return {};
    case FileError::Kind::CannotOpen:
        return QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(file);
    case FileError::Kind::Damaged:
        return QStringLiteral("Die Datei %1 ist in Zeile %2 beschädigt und kann nicht "
                              "vollständig eingelesen werden.")
            .arg(file)
            .arg(error.line);
    case FileError::Kind::Incompatible:
        return QStringLiteral("Die Datei %1 hat ein unbekanntes Format.").arg(file);
    case FileError::Kind::WriteFailed:
        return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden; "
                              "sie ist unverändert geblieben.")
            .arg(file);
    }
    return {};
}

} // namespace tarvok
