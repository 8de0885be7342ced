#include "DialFromOutside.h"

#include "ExternalNumber.h"
#include "MessageBox.h"
#include "NumberMessages.h"
#include "RequestRouter.h"

#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace tarvok {

namespace {

bool IsLink(const QString& word) {
    return word.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive) ||
           word.startsWith(QLatin1String("callto:"), Qt::CaseInsensitive);
}

// A browser hands a link on as it stands in the page, blanks and "+" percent-encoded.
QString Decoded(const QString& word) {
    return IsLink(word) ? QUrl::fromPercentEncoding(word.toUtf8()) : word;
}

// The editor's sentences for why a number cannot be read, after the number as handed in.
QString ReasonFor(ExternalNumberError error, const QString& text) {
    return QStringLiteral("Die Nummer %1 wird nicht gewählt. ").arg(QuotedForMessage(text)) +
           ExternalNumberErrorText(error);
}

} // namespace

DialFromOutside::DialFromOutside(AppState& state, Dial dial, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_dial(std::move(dial))
    , m_window(window) {}

InstanceReply DialFromOutside::handle(const InstanceRequest& request) {
    if (busy())
        return refuse(QStringLiteral("Tarvok-Pro wählt nicht, solange eines seiner Fenster offen "
                                     "ist. Bitte schließen Sie es und versuchen Sie es erneut."));
    const QStringList& words = request.args;
    QString text;
    if (words.size() > 1 && std::any_of(words.begin(), words.end(), IsLink))
        return refuse(ReasonFor(ExternalNumberError::MoreThanOne, words.join(u' ')));
    for (const QString& word : words)
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + Decoded(word);

    const Settings& settings = m_state.phoneBook.settings;
    const ExternalNumber number =
        NormaliseExternalNumber(text, settings.CountryCode, settings.AreaCode);
    if (!number.ok())
        return refuse(ReasonFor(number.error, text));

    const QString line = EntryLine(entryFor(number.Number, number.ZeroPrefix));
    m_dialPending = true;
    // The asking process has its answer before the dial window opens its own event loop.
    QTimer::singleShot(0, this, [this, line] {
        m_dial(line);
        m_dialPending = false;
    });
    return {true, {}};
}

PhoneEntry DialFromOutside::entryFor(const QString& number, int zeroPrefix) const {
    for (const PhoneList& list : m_state.phoneBook.lists) {
        for (int row = 0; row < list.count(); ++row) {
            if (list.at(row).Number == number)
                return list.at(row);
        }
    }
    return {QLatin1Char('+') + number, number, zeroPrefix};
}

// Any modal window, message box or pop-up menu of the program: a dial window over it would
// leave the user two things to answer at once.
bool DialFromOutside::busy() const {
    return m_dialPending || m_state.ModalBusy != 0 || QApplication::activeModalWidget() ||
           QApplication::activePopupWidget();
}

InstanceReply DialFromOutside::refuse(const QString& reason) {
    QTimer::singleShot(
        0, this, [this, reason] { MessageBox::exclamation(m_window, MessageBox::kTitle, reason); });
    return {false, reason};
}

} // namespace tarvok
