#include "ModemProblemText.h"

namespace tarvok {

namespace {

QString Quoted(const QString& text) {
    return QStringLiteral("„%1“").arg(text);
}

QString PortName(int port, const QString& device) {
    QString name = QStringLiteral("COM%1").arg(port);
    if (!device.isEmpty())
        name += QStringLiteral(" (%1)").arg(device);
    return name;
}

} // namespace

QString PortOpenFailureText(SerialPort::OpenFailure failure, const QString& device) {
    if (device.isEmpty())
        return {};
    switch (failure) {
    case SerialPort::OpenFailure::None:
        return {};
    case SerialPort::OpenFailure::Missing:
        return QStringLiteral("Das Gerät %1 ist nicht vorhanden (Modem nicht angeschlossen?).")
            .arg(device);
    case SerialPort::OpenFailure::InUse:
        return QStringLiteral("Das Gerät %1 wird gerade von einem anderen Programm benutzt.")
            .arg(device);
    case SerialPort::OpenFailure::NoPermission:
        return QStringLiteral("Keine Berechtigung für das Gerät %1 (Mitglied der Gruppe "
                              "dialout?).")
            .arg(device);
    case SerialPort::OpenFailure::NotSerial:
        return QStringLiteral("Das Gerät %1 ist kein serieller Anschluss.").arg(device);
    }
    return {};
}

QString ModemCheckText(int port, const ModemCheck::Result& result) {
    const QString name = PortName(port, result.device);
    switch (result.outcome) {
    case ModemCheck::Outcome::Answered:
        return QStringLiteral("Das Modem antwortet:\n\n") + result.answer;
    case ModemCheck::Outcome::OpenFailed: {
        QString text = QStringLiteral("Der Anschluß COM%1 kann nicht geöffnet werden.").arg(port);
        const QString why = PortOpenFailureText(result.failure, result.device);
        return why.isEmpty() ? text : text + u'\n' + why;
    }
    case ModemCheck::Outcome::Silent: {
        QString text = QStringLiteral("Das Modem an %1 hat nicht innerhalb von %2 Sekunden auf %3 "
                                      "geantwortet.")
                           .arg(name)
                           .arg(ModemCheck::kAnswerWaitMs / 1000)
                           .arg(Quoted(result.command));
        if (!result.answer.isEmpty())
            text += QStringLiteral("\nEmpfangen wurde nur:\n") + result.answer;
        return text;
    }
    case ModemCheck::Outcome::Error:
        return QStringLiteral("Das Modem an %1 hat %2 mit „ERROR“ beantwortet.")
            .arg(name, Quoted(result.command));
    case ModemCheck::Outcome::PortFailed:
        return QStringLiteral("Die Verbindung zum Modem an %1 ist während des Tests "
                              "abgebrochen.")
            .arg(name);
    case ModemCheck::Outcome::Cancelled:
        return {};
    }
    return {};
}

} // namespace tarvok
