#pragma once

#include <QUrl>

namespace tarvok {

// Where the tariff list is fetched from: the address set at build time, unless the
// environment variable TARVOK_UPDATE_URL names another one.
QUrl TariffListUrl();

} // namespace tarvok
