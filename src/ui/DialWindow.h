#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvok {

// Form4, "Anwahl": shows the name and number while the modem dials. Every way of closing
// it by hand ("&Abbruch", Escape, the window frame) asks for the dial to be cancelled.
class DialWindow : public QDialog {
    Q_OBJECT
public:
    DialWindow(const QString& name, const QString& displayNumber, QWidget* parent = nullptr);

    // One more line under the number: the carrier the dial goes through.
    void showCarrier(const QString& carrierLine);
    // Closes the window without asking for a cancel: the dial has ended by itself.
    void finish();
    // "&Abbruch", Escape and the window frame all end here.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void cancelRequested();

private:
    QLabel* addLabel(int index, const QString& text, const QString& role);
};

} // namespace tarvok
