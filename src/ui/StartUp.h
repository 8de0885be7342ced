#pragma once

#include "AppState.h"

class QWidget;

namespace tarvok {

// The start-up loader: reads the phone book and settings file and the provider table into
// the state before the main window shows them, and talks to the user about every file
// that is new, old, foreign or damaged.
class StartUp {
public:
    enum class Next {
        ShowLists,   // the phone lists in front
        ShowOptions, // a new file: the user should check the settings
        EndProgram,  // nothing may go on; both files are as they were
    };

    explicit StartUp(AppState& state, QWidget* parent = nullptr);

    Next LoadDataFiles();

private:
    Next openPhoneFile();
    Next offerPhoneBackup(const QString& problem);
    bool loadProviders();
    QString keepDamagedCopy(const QString& fileName) const;

    AppState& m_state;
    QWidget* m_parent;
};

} // namespace tarvok
