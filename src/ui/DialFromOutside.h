#pragma once

#include "AppState.h"
#include "InstanceMessage.h"

#include <QObject>

#include <functional>

class QWidget;

namespace tarvok {

// A number handed in from outside (a tel: link, a second start with a number): read into
// the phone book's form, named from the phone book where it is there, and dialled through
// the normal dial path once the asking process has its answer. A refusal is answered with
// its reason and shown in a message box here as well; nothing reaches the modem then.
class DialFromOutside : public QObject {
    Q_OBJECT
public:
    // `dial` runs one entry line through the dial, returning when the dial window is gone.
    using Dial = std::function<void(const QString& entryLine)>;

    DialFromOutside(AppState& state, Dial dial, QWidget* window);

    InstanceReply handle(const InstanceRequest& request);

    // The entry line to dial for `number` (in the phone book's form): the first entry of
    // lists 1 to 4 with exactly that number, or an entry named after the number.
    PhoneEntry entryFor(const QString& number, int zeroPrefix) const;

private:
    bool busy() const;
    InstanceReply refuse(const QString& reason);

    AppState& m_state;
    Dial m_dial;
    QWidget* m_window;
    bool m_dialPending = false;
};

} // namespace tarvok
