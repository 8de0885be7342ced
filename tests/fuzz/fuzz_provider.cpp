// The provider file reader on arbitrary bytes: it never crashes, and the rows it accepts
// come back the same after a save and a new load.
#include "FuzzCheck.h"
#include "ProviderFile.h"
#include "TextCodec.h"

#include <QByteArray>

#include <algorithm>

using namespace tarvok;

namespace {

std::vector<ProviderRow> rowsOf(const ProviderTable& table) {
    std::vector<ProviderRow> rows;
    for (int i = 0; i < table.rowCount(); ++i)
        rows.push_back(table.row(i));
    // Rows with equal sort texts swap places on every load (each is added above its
    // equals), so compare them as a set.
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ProviderTable first;
    FileError error;
    const bool ok = ReadProviderText(DecodeWindows1252(bytes), first, &error);
    FUZZ_CHECK(ok == !error);

    // Whatever was read, also the rows before a damaged one, is saved and read back whole.
    const QByteArray written = ProviderFileBytes(first);
    ProviderTable second;
    FileError again;
    FUZZ_CHECK(ReadProviderText(DecodeWindows1252(written), second, &again));
    FUZZ_CHECK(rowsOf(first) == rowsOf(second));
    return 0;
}
