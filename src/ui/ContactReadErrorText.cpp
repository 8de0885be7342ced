#include "ContactReadErrorText.h"

namespace tarvok {

namespace {

QString problem(const QString& file, const ContactFileContent& content) {
    switch (content.error) {
    case ContactFileError::None:
        return {};
    case ContactFileError::CannotOpen:
        return QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(file);
    case ContactFileError::TooLarge:
        return QStringLiteral("Die Datei %1 ist größer als 20 MiB.").arg(file);
    case ContactFileError::Empty:
        return QStringLiteral("Die Datei %1 ist leer.").arg(file);
    case ContactFileError::Binary:
        return QStringLiteral("Die Datei %1 ist keine Textdatei.").arg(file);
    case ContactFileError::UnknownFormat:
        return QStringLiteral("Die Datei %1 ist keine vCard-Datei.").arg(file);
    case ContactFileError::MissingEnd:
        return QStringLiteral("Die Datei %1 ist unvollständig: der Kontakt ab Zeile %2 endet "
                              "nicht mit „END:VCARD“.")
            .arg(file)
            .arg(content.line);
    case ContactFileError::OpenQuote:
        return QStringLiteral("Die Datei %1 ist beschädigt: das Anführungszeichen in Zeile %2 "
                              "wird nicht geschlossen.")
            .arg(file)
            .arg(content.line);
    case ContactFileError::WrongWidth:
        return QStringLiteral("Die Datei %1 ist beschädigt: Zeile %2 hat eine andere Zahl von "
                              "Spalten als die Kopfzeile.")
            .arg(file)
            .arg(content.line);
    case ContactFileError::TooMany:
        return QStringLiteral("Die Datei %1 enthält mehr als %2 Nummern, mehr als die vier Listen "
                              "zusammen aufnehmen können.")
            .arg(file)
            .arg(kMaxContactNumbers);
    case ContactFileError::UnknownColumns: {
        QStringList columns;
        for (const QString& column : content.columns)
            columns << QStringLiteral("„%1“").arg(column);
        return QStringLiteral("In der Datei %1 wurden keine Spalten für Name und Telefonnummer "
                              "erkannt.\nGefundene Spalten: %2")
            .arg(file, columns.join(QStringLiteral(", ")));
    }
    }
    return {};
}

} // namespace

QString ContactReadErrorText(const QString& fileName, const ContactFileContent& content) {
    return problem(QStringLiteral("„%1“").arg(fileName), content) + QStringLiteral("\n\n") +
           QStringLiteral("Es wurde nichts importiert.");
}

} // namespace tarvok
