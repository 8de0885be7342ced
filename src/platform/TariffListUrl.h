#pragma once

#include <QString>
#include <QUrl>

namespace tarvok {

// Where the tariff list is fetched from: the environment variable TARVOK_UPDATE_URL when
// set, else the address chosen in the program's settings file of `dataDir`, else the
// address set at build time.
QUrl TariffListUrl(const QString& dataDir = {});

// The address set at build time.
QUrl BuiltInTariffListUrl();

} // namespace tarvok
