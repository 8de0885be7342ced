#pragma once

#include <QDialog>

namespace tarvok {

// "Modem testen": shows that the modem on a port is being asked, with "&Abbruch". Every way
// of closing it by hand asks for the test to end.
class ModemTestWindow : public QDialog {
    Q_OBJECT
public:
    explicit ModemTestWindow(int port, QWidget* parent = nullptr);

    // Closes the window without asking for a cancel: the test has ended by itself.
    void finish();
    void reject() override;

signals:
    void cancelRequested();
};

} // namespace tarvok
