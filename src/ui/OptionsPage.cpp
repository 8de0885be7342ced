#include "OptionsPage.h"

#include "ProviderListController.h"
#include "ProviderTableModel.h"

#include <QPushButton>

namespace tarvok {

OptionsPage::OptionsPage(AppState& state, ProviderTableModel& providers, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_providers(providers) {
    setObjectName(QStringLiteral("Picture1(5)"));
    m_debugButton = new QPushButton(QStringLiteral("Debug"), this);
    m_debugButton->setObjectName(QStringLiteral("Btn(0)"));
    m_downloadButton = new QPushButton(QStringLiteral("Download"), this);
    m_downloadButton->setObjectName(QStringLiteral("Btn(1)"));
    connect(m_debugButton, &QPushButton::clicked, this, &OptionsPage::debugRequested);
    connect(m_downloadButton, &QPushButton::clicked, this, &OptionsPage::downloadRequested);
}

OptionsPage::~OptionsPage() = default;

void OptionsPage::LoadOptionControls() {}

bool OptionsPage::SaveOptionControls() {
    return false;
}

void OptionsPage::focusCountryCode() {}

QAbstractButton* OptionsPage::downloadButton() const {
    return m_downloadButton;
}

} // namespace tarvok
