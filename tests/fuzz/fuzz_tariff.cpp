// The tariff list import on arbitrary bytes: it never crashes, and no row it lets through
// carries anything but dial digits into the modem's command line.
#include "FuzzCheck.h"
#include "TariffList.h"
#include "TextCodec.h"

#include <QByteArray>

using namespace tarvok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString converted = ConvertTariffText(DecodeWindows1252(bytes));
    FUZZ_CHECK(!converted.contains(QLatin1Char('"')) && !converted.contains(QLatin1Char(';')));
    if (!HasTariffMarker(converted))
        return 0;
    const TariffImport import = ImportTariffList(converted);
    FUZZ_CHECK(import.skipped >= 0);
    for (const ProviderRecord& row : import.rows) {
        FUZZ_CHECK(IsDialableNetworkCode(row.NetworkCode.trimmed()));
        for (QChar c : row.NetworkCode.trimmed())
            FUZZ_CHECK(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    return 0;
}
