#pragma once

#include "ProgramSettings.h"
#include "SerialDeviceList.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace tarvok {

// "Modem-Anschlüsse": which device each of COM1 to COM4 means, and the address of the
// tariff list. A choice is saved to the program's settings file as soon as it is made, so
// that "Modem testen" beside it tries what the window shows.
class ModemDevicesWindow : public QDialog {
    Q_OBJECT
public:
    using TestModem = std::function<void(int port)>;

    ModemDevicesWindow(const QString& dataDir, std::vector<SerialDeviceInfo> available,
                       TestModem testModem, QWidget* parent = nullptr);
    ~ModemDevicesWindow() override;

private:
    void addPortRow(int port);
    void addUrlRow();
    void fillDevices(int port);
    void chooseDevice(int port);
    void chooseUrl();
    void showNote(int port);
    bool save();

    QString m_dataDir;
    std::vector<SerialDeviceInfo> m_available;
    TestModem m_testModem;
    ProgramSettings m_settings;
    QGridLayout* m_grid = nullptr;
    std::array<QComboBox*, 4> m_devices{};
    std::array<QLabel*, 4> m_notes{};
    QLineEdit* m_url = nullptr;
    QLabel* m_urlNote = nullptr;
};

} // namespace tarvok
