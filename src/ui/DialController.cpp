#include "DialController.h"

#include "CallExplanation.h"
#include "CarrierTexts.h"
#include "DialWindow.h"
#include "DialableNumber.h"
#include "MessageBox.h"
#include "ModemProblemText.h"
#include "ModemSession.h"
#include "NumberMessages.h"
#include "PhoneEntry.h"
#include "TextCodec.h"

#include <QDateTime>

namespace tarvok {

namespace {

QString PortUnavailableText(int port) {
    return QStringLiteral("Der angegebene Anschluß COM") + QString::number(port) +
           QStringLiteral(" ist nicht verfügbar.");
}

QString PortFailedText(int port) {
    return QStringLiteral("Die Verbindung zum Modem an Anschluß COM") + QString::number(port) +
           QStringLiteral(" ist während der Anwahl abgebrochen.\nDer Anschluß wurde "
                          "geschlossen; bitte prüfen Sie das Modem und wählen Sie erneut.");
}

DialController::Outcome OutcomeOf(ModemSession::End end) {
    switch (end) {
    case ModemSession::End::Answered:
        return DialController::Outcome::Answered;
    case ModemSession::End::Cancelled:
        return DialController::Outcome::Cancelled;
    case ModemSession::End::PortFailed:
        return DialController::Outcome::PortFailed;
    }
    return DialController::Outcome::Cancelled;
}

} // namespace

DialController::DialController(AppState& state, SerialPort& port, QWidget* window)
    : m_state(state)
    , m_port(port)
    , m_window(window) {}

DialController::Outcome DialController::DialSelectedEntry(const QString& entryLine) {
    if (entryLine.isEmpty())
        return Outcome::NoEntry;
    const QString number = EntryNumber(entryLine);
    const qsizetype bad = FirstUndialableCharacter(number);
    if (bad >= 0) {
        MessageBox::exclamation(m_window, MessageBox::kTitle,
                                UndialableNumberText(EntryName(entryLine), number, bad));
        return Outcome::NumberRefused;
    }

    const Settings& settings = m_state.phoneBook.settings;
    const QDateTime now = QDateTime::currentDateTime();
    const DialExplanation explained = ExplainDial(entryLine, settings, m_state.providers,
                                                  now.date().dayOfWeek(), now.time().hour());
    const DialPlan& plan = explained.plan;

    ModemSession session(m_port);
    connect(&session, &ModemSession::answerChanged, this,
            [this, &session] { m_state.LastModemAnswer = session.answer(); });
    // The bytes the data files hold: whatever the user typed reaches the modem unchanged.
    if (!session.start(settings.ComPort, EncodeWindows1252(plan.CompleteDialString))) {
        // The first line as ever; the second says what to fix, where the port knows.
        QString text = PortUnavailableText(settings.ComPort);
        const QString why = PortOpenFailureText(m_port.lastOpenFailure(), m_port.lastDevice());
        if (!why.isEmpty())
            text += u'\n' + why;
        MessageBox::critical(m_window, MessageBox::kTitle, text);
        session.acknowledgeFailure();
        return Outcome::PortUnavailable;
    }

    Outcome outcome = Outcome::Cancelled;
    DialWindow dialWindow(plan.Name, plan.DisplayNumber, m_window);
    dialWindow.showCarrier(CarrierLine(explained, m_state.providers));
    connect(&dialWindow, &DialWindow::cancelRequested, &session, &ModemSession::cancel);
    connect(&session, &ModemSession::finished, &dialWindow,
            [&outcome, &dialWindow](ModemSession::End end) {
                outcome = OutcomeOf(end);
                dialWindow.finish();
            });
    {
        ModalBusyScope busy(m_state);
        if (session.state() == ModemSession::State::Dialling)
            dialWindow.exec();
    }
    // However the window went, the port is closed by the time it is gone.
    session.cancel();

    if (outcome == Outcome::PortFailed) {
        MessageBox::critical(m_window, MessageBox::kTitle, PortFailedText(settings.ComPort));
        session.acknowledgeFailure();
    }
    return outcome;
}

void DialController::ShowLastModemAnswer() {
    if (m_state.LastModemAnswer.isEmpty())
        m_state.LastModemAnswer = QStringLiteral("(keine Rückmeldung)");
    MessageBox::information(
        m_window, MessageBox::kTitle,
        QStringLiteral("Das Modem gab nach der letzten Anwahl folgende Zeichenkette zurück:") +
            QStringLiteral("\n\n") + m_state.LastModemAnswer);
}

} // namespace tarvok
