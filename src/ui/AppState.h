#pragma once

#include "PhoneBook.h"
#include "ProviderTable.h"

#include <QString>

namespace tarvok {

// The program-wide state the windows share: the stored data and the few flags that the
// windows, the dial and the tray read. One instance, made in main() and passed on.
struct AppState {
    QString dataDir;         // the working directory, where the data files live
    PhoneBook phoneBook;     // Settings, list names and the four phone lists
    ProviderTable providers; // display order = order of preference

    int CurrentTab = 1;        // 1..4 phone lists, 5 options page
    int ModalBusy = 0;         // -1 while an editor or the dial window is open
    bool NewEntryMode = false; // an editor adds instead of changing
    int SelectedProvider = 0;  // 1-based row the provider menu works on, 0 none
    QString LastModemAnswer;   // upper-cased answer of the last dial
};

// Sets ModalBusy for the lifetime of a modal window; a window opened over another modal
// one leaves the flag set when it closes.
class ModalBusyScope {
public:
    explicit ModalBusyScope(AppState& state)
        : m_state(state)
        , m_previous(state.ModalBusy) {
        m_state.ModalBusy = -1;
    }
    ~ModalBusyScope() { m_state.ModalBusy = m_previous; }
    ModalBusyScope(const ModalBusyScope&) = delete;
    ModalBusyScope& operator=(const ModalBusyScope&) = delete;

private:
    AppState& m_state;
    int m_previous;
};

} // namespace tarvok
