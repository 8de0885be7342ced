#include "TariffListUrl.h"

#include "ProgramSettings.h"

#include <QByteArray>

#ifndef TARVOK_DEFAULT_UPDATE_URL
#define TARVOK_DEFAULT_UPDATE_URL "http://tarif.example.org/download/service/ttarif/ttarif.csv"
#endif

namespace tarvok {

QUrl TariffListUrl(const QString& dataDir) {
    const QByteArray override = qgetenv("TARVOK_UPDATE_URL").trimmed();
    if (!override.isEmpty())
        return QUrl::fromUserInput(QString::fromUtf8(override));
    if (!dataDir.isEmpty()) {
        const QUrl chosen = ProgramSettings::load(dataDir).tariffListUrl();
        if (!chosen.isEmpty())
            return chosen;
    }
    return BuiltInTariffListUrl();
}

QUrl BuiltInTariffListUrl() {
    return QUrl(QStringLiteral(TARVOK_DEFAULT_UPDATE_URL));
}

} // namespace tarvok
