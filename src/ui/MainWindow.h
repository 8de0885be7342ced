#pragma once

#include "AppState.h"
#include "StartUp.h"
#include "TrayController.h"

#include <QWidget>

#include <array>
#include <chrono>
#include <memory>

class QLabel;
class QListView;
class QMenu;
class QTabWidget;

namespace tarvok {

class CarrierStatus;
class ContactsController;
class DialController;
class HttpClient;
class ModemSetup;
class OptionsPage;
class PhoneBookEditing;
class PhoneListModel;
class ProviderTableModel;
class ProviderUpdate;
class SerialPort;
class TrayIcon;

// Form1: the tab strip with the four phone lists and the options page, the status bar,
// the pop-up menus, the tray icon and what closing the window means.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The outside world the window talks to. The port and the HTTP client may be missing
    // (no dialling, no update); the tray icon is always there, available or not.
    struct Parts {
        TrayIcon& tray;
        SerialPort* serialPort = nullptr;
        HttpClient* httpClient = nullptr;
        std::chrono::milliseconds trayClickDelay = TrayController::kDblClkDelay;
    };

    MainWindow(AppState& state, const Parts& parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // After LoadDataFiles: shows the window, with the options page in front for a new file.
    void FinishStartUp(StartUp::Next next);

    void SetStatusText(const QString& text);
    void StatusListe();
    void ShowOptionsTab();
    // "&Beenden", SIGTERM and the end of the desktop session: options saved when their
    // page is in front, the tray icon removed, then programEnded.
    void QuitProgram();
    // Import, export and search of contacts, for the command line as for the menu.
    ContactsController& contacts() { return *m_contacts; }
    // A later start asks to be shown: as the tray menu's "&Einblenden".
    void ShowFromOutside() { pum2_Click(1); }
    // The dial of one entry line, as a double-click on it would run it.
    void DialEntryLine(const QString& line);

signals:
    void programEnded();
    void beeped();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    QWidget* makePhoneListPage(int index);
    void makeMenus();
    void applySettings();
    void showWindow();
    void Beep();

    void TabStrip1_Click();
    void NamList_Click(int index);
    void NamList_MouseDown(int index, const QPoint& globalPos);
    void NamList_LostFocus(int index);
    void dialSelectedEntry();
    void dialEntry(int index, int row);
    bool selectCurrentLine(int index);
    void pum2_Click(int index);
    void popUpTrayMenu();
    int selectedRow(int index) const;
    QString selectedLine(int index) const; // empty when none is selected
    int listIndexOf(QObject* object) const;

    AppState& m_state;
    TrayIcon& m_tray;
    ProviderTableModel* m_providerModel = nullptr;
    std::array<PhoneListModel*, 4> m_models{};
    std::array<QListView*, 4> m_lists{};
    QTabWidget* m_tabs = nullptr;
    OptionsPage* m_options = nullptr;
    QLabel* m_status = nullptr;
    CarrierStatus* m_carrier = nullptr; // the status bar's right-hand part
    QMenu* m_pummain = nullptr;
    QMenu* m_pummain2 = nullptr;
    PhoneBookEditing* m_editing = nullptr;
    ContactsController* m_contacts = nullptr;
    TrayController* m_trayClicks = nullptr;
    ModemSetup* m_modemSetup = nullptr;
    std::unique_ptr<DialController> m_dial;
    std::unique_ptr<ProviderUpdate> m_update;
    bool m_quitting = false;
};

} // namespace tarvok
