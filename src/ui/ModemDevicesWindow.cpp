#include "ModemDevicesWindow.h"

#include "FileErrorText.h"
#include "MessageBox.h"
#include "SerialDevice.h"
#include "TariffListUrl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvok {

namespace {

const QString kNotConnected = QStringLiteral("nicht angeschlossen");

QString DeviceCaption(const SerialDeviceInfo& device) {
    QString caption = device.path;
    if (!device.description.isEmpty())
        caption += QStringLiteral(" - ") + device.description;
    if (!device.manufacturer.isEmpty())
        caption += QStringLiteral(" (%1)").arg(device.manufacturer);
    return caption;
}

} // namespace

ModemDevicesWindow::ModemDevicesWindow(const QString& dataDir,
                                       std::vector<SerialDeviceInfo> available, TestModem testModem,
                                       QWidget* parent)
    : QDialog(parent)
    , m_dataDir(dataDir)
    , m_available(std::move(available))
    , m_testModem(std::move(testModem))
    , m_settings(ProgramSettings::load(dataDir)) {
    setObjectName(QStringLiteral("ModemDevicesWindow"));
    setWindowTitle(QStringLiteral("Modem-Anschlüsse"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    m_grid = new QGridLayout;
    if (m_settings.wasDamaged()) {
        auto* damaged = new QLabel(
            QStringLiteral("Die Datei %1 ist beschädigt oder nicht lesbar; es gilt überall "
                           "„Standard“, bis Sie hier etwas auswählen.")
                .arg(ProgramSettings::kFileName),
            this);
        damaged->setObjectName(QStringLiteral("SettingsDamaged"));
        damaged->setWordWrap(true);
        layout->addWidget(damaged);
    }
    m_grid->setColumnStretch(1, 1);
    layout->addLayout(m_grid);
    for (int port = 1; port <= 4; ++port)
        addPortRow(port);
    addUrlRow();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setText(QStringLiteral("&Schließen"));
    close->setObjectName(QStringLiteral("DevicesClose"));
    // Enter takes a typed path or address; it must not close the window as well.
    close->setAutoDefault(false);
    close->setDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

// A window destroyed while open (the program ends with it in front) loses the focus of its
// text boxes on the way; what was half typed there is no choice to save, and the members
// a choice would use are gone by then.
ModemDevicesWindow::~ModemDevicesWindow() {
    for (QComboBox* devices : m_devices)
        if (devices && devices->lineEdit())
            devices->lineEdit()->disconnect(this);
    if (m_url)
        m_url->disconnect(this);
}

void ModemDevicesWindow::addPortRow(int port) {
    QGridLayout* grid = m_grid;
    const int row = (port - 1) * 2;
    auto* label = new QLabel(QStringLiteral("COM%1").arg(port), this);
    auto* devices = new QComboBox(this);
    devices->setObjectName(QStringLiteral("Device(%1)").arg(port));
    devices->setEditable(true);
    devices->setInsertPolicy(QComboBox::NoInsert);
    // Named by the device shown, labelled by the port; the description says what for.
    devices->setAccessibleDescription(QStringLiteral("Gerät für COM%1").arg(port));
    devices->setMinimumContentsLength(32);
    label->setBuddy(devices);
    m_devices[size_t(port - 1)] = devices;

    auto* test = new QPushButton(QStringLiteral("Modem testen"), this);
    test->setObjectName(QStringLiteral("ModemTest(%1)").arg(port));
    test->setAccessibleName(QStringLiteral("Modem an COM%1 testen").arg(port));
    test->setAutoDefault(false);
    test->setEnabled(bool(m_testModem));
    connect(test, &QPushButton::clicked, this, [this, port] { m_testModem(port); });

    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("DeviceNote(%1)").arg(port));
    note->setWordWrap(true);
    m_notes[size_t(port - 1)] = note;

    grid->addWidget(label, row, 0);
    grid->addWidget(devices, row, 1);
    grid->addWidget(test, row, 2);
    grid->addWidget(note, row + 1, 1, 1, 2);

    fillDevices(port);
    connect(devices, &QComboBox::activated, this, [this, port] { chooseDevice(port); });
    connect(devices->lineEdit(), &QLineEdit::editingFinished, this,
            [this, port] { chooseDevice(port); });
}

// "Standard", the devices present now, and a chosen one that is not there now, marked.
void ModemDevicesWindow::fillDevices(int port) {
    QComboBox* devices = m_devices[size_t(port - 1)];
    const QSignalBlocker quiet(devices);
    devices->clear();
    devices->addItem(QStringLiteral("Standard (%1)").arg(StandardSerialDevice(port)), QString());
    for (const SerialDeviceInfo& device : m_available)
        devices->addItem(DeviceCaption(device), device.path);
    const QString chosen = m_settings.device(port);
    if (!chosen.isEmpty() && devices->findData(chosen) < 0) {
        const QString caption = SerialDevicePresent(chosen, m_available)
                                    ? chosen
                                    : chosen + QStringLiteral(" - ") + kNotConnected;
        devices->addItem(caption, chosen);
    }
    devices->setCurrentIndex(std::max(0, devices->findData(chosen)));
    showNote(port);
}

// A pick from the list, or a path typed by hand.
void ModemDevicesWindow::chooseDevice(int port) {
    QComboBox* devices = m_devices[size_t(port - 1)];
    const QString text = devices->currentText().trimmed();
    const int index = devices->findText(text);
    const QString device = index >= 0 ? devices->itemData(index).toString() : text;
    if (device == m_settings.device(port))
        return fillDevices(port);
    if (!device.isEmpty() && !ProgramSettings::isAcceptableDevice(device)) {
        MessageBox::exclamation(this, MessageBox::kTitle,
                                QStringLiteral("„%1“ ist kein Gerätepfad. Bitte geben Sie den "
                                               "vollständigen Pfad an, zum Beispiel "
                                               "/dev/ttyACM0.")
                                    .arg(text));
        return fillDevices(port);
    }
    const QString before = m_settings.device(port);
    m_settings.setDevice(port, device);
    if (!save())
        m_settings.setDevice(port, before);
    fillDevices(port);
}

void ModemDevicesWindow::showNote(int port) {
    const PortDevice resolved = ResolveSerialDevice(port, m_dataDir);
    QString note;
    if (resolved.source == PortDevice::Source::Environment)
        note = QStringLiteral("Die Umgebungsvariable %1 legt das Gerät fest: %2")
                   .arg(resolved.variable, resolved.device);
    QLabel* label = m_notes[size_t(port - 1)];
    label->setText(note);
    label->setVisible(!note.isEmpty());
    m_devices[size_t(port - 1)]->setAccessibleDescription(note);
}

void ModemDevicesWindow::addUrlRow() {
    QGridLayout* grid = m_grid;
    const int row = grid->rowCount();
    auto* label = new QLabel(QStringLiteral("Adresse der Tarifliste"), this);
    m_url = new QLineEdit(m_settings.tariffListUrl().toString(), this);
    m_url->setObjectName(QStringLiteral("TariffListUrl"));
    m_url->setAccessibleName(QStringLiteral("Adresse der Tarifliste"));
    m_url->setPlaceholderText(BuiltInTariffListUrl().toString());
    label->setBuddy(m_url);
    m_urlNote = new QLabel(this);
    m_urlNote->setObjectName(QStringLiteral("TariffListUrlNote"));
    m_urlNote->setWordWrap(true);
    const QByteArray variable = qgetenv("TARVOK_UPDATE_URL").trimmed();
    m_urlNote->setText(variable.isEmpty()
                           ? QString()
                           : QStringLiteral("Die Umgebungsvariable TARVOK_UPDATE_URL legt die "
                                            "Adresse fest: %1")
                                 .arg(QString::fromUtf8(variable)));
    m_urlNote->setVisible(!variable.isEmpty());
    grid->addWidget(label, row, 0);
    grid->addWidget(m_url, row, 1, 1, 2);
    grid->addWidget(m_urlNote, row + 1, 1, 1, 2);
    connect(m_url, &QLineEdit::editingFinished, this, &ModemDevicesWindow::chooseUrl);
}

// Empty means the built-in address; anything else must be an http or https address.
void ModemDevicesWindow::chooseUrl() {
    const QString text = m_url->text().trimmed();
    const QUrl url(text, QUrl::StrictMode);
    if (url == m_settings.tariffListUrl())
        return;
    if (!text.isEmpty() && !ProgramSettings::isAcceptableTariffListUrl(url)) {
        MessageBox::exclamation(this, MessageBox::kTitle,
                                QStringLiteral("Die Adresse der Tarifliste muss mit http:// oder "
                                               "https:// beginnen und einen Rechner nennen, zum "
                                               "Beispiel https://tarife.example.de/ttarif.csv."));
        m_url->setText(m_settings.tariffListUrl().toString());
        return;
    }
    const QUrl before = m_settings.tariffListUrl();
    m_settings.setTariffListUrl(text.isEmpty() ? QUrl() : url);
    if (!save()) {
        m_settings.setTariffListUrl(before);
        m_url->setText(before.toString());
    }
}

bool ModemDevicesWindow::save() {
    FileError error;
    if (m_settings.save(m_dataDir, &error))
        return true;
    MessageBox::critical(this, MessageBox::kTitle,
                         FileErrorText(error) +
                             QStringLiteral("\nDie Auswahl gilt nicht; es bleibt bei der "
                                            "bisherigen."));
    return false;
}

} // namespace tarvok
