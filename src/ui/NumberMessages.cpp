#include "NumberMessages.h"

namespace tarvok {

namespace {

// A character as the user can recognise it; invisible ones by their code.
QString characterText(const QString& text, qsizetype position) {
    const QChar c = text.at(position);
    if (c.isPrint() && !c.isSpace())
        return QStringLiteral("das Zeichen „%1“").arg(c);
    return QStringLiteral("ein unsichtbares Zeichen (Code %1)").arg(c.unicode());
}

} // namespace

QString ExternalNumberErrorText(ExternalNumberError error) {
    switch (error) {
    case ExternalNumberError::None:
        break;
    case ExternalNumberError::Empty:
        return QStringLiteral("Sie enthält keine Ziffern.");
    case ExternalNumberError::Letters:
        return QStringLiteral("Sie enthält Buchstaben; erlaubt sind nur Ziffern, ein „+“ am "
                              "Anfang, Leerzeichen und die Trennzeichen - . / ( ).");
    case ExternalNumberError::MoreThanOne:
        return QStringLiteral("Der Text enthält mehr als eine Telefonnummer.");
    case ExternalNumberError::NotParseable:
        return QStringLiteral("Sie ist nicht als Telefonnummer lesbar.");
    case ExternalNumberError::NotPossible:
        return QStringLiteral("Eine Nummer dieser Länge gibt es in ihrem Land nicht.");
    }
    return QString();
}

QString EntryNumberRefusedText(const QString& number, ExternalNumberError error) {
    return QStringLiteral("Die Telefonnummer „%1“ kann nicht übernommen werden.").arg(number) +
           u'\n' + ExternalNumberErrorText(error) + QStringLiteral("\n\n") +
           QStringLiteral("Bitte geben Sie die Nummer mit Landesvorwahl (z. B. „+49 30 "
                          "1234567“) oder mit Ortsvorwahl (z. B. „030 1234567“) ein.");
}

QString UndialableNumberText(const QString& name, const QString& number, qsizetype position) {
    return QStringLiteral("Die Nummer von „%1“ wird nicht gewählt: „%2“ enthält an Stelle %3 %4.")
               .arg(name, number)
               .arg(position + 1)
               .arg(characterText(number, position)) +
           QStringLiteral("\n\n") +
           QStringLiteral("Eine gespeicherte Nummer darf nur Ziffern, Leerzeichen und die "
                          "Wählzeichen „,“ „W“ „*“ „#“ enthalten. Bitte korrigieren Sie den "
                          "Eintrag mit „Ändern“.");
}

} // namespace tarvok
