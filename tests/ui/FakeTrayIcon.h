#pragma once

#include "TrayIcon.h"

#include <QIcon>

// A notification area the test presses by hand.
class FakeTrayIcon : public tarvok::TrayIcon {
public:
    explicit FakeTrayIcon(bool available = true)
        : m_available(available) {}

    bool isAvailable() const override { return m_available; }
    void showIcon(const QIcon&, const QString& tip) override {
        shown = true;
        this->tip = tarvok::TrayTip(tip);
    }
    void removeIcon() override { shown = false; }

    void press(Press what) { emit pressed(what); }

    bool shown = false;
    QString tip;

private:
    bool m_available;
};
