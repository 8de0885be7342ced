#include "HugePageHeap.h"

#include <QByteArray>
#include <QtGlobal>

#include <malloc.h>

namespace tarvok {

namespace {

const char kVariable[] = "GLIBC_TUNABLES";

} // namespace

void RequestHugePageHeap() {
    if (!qEnvironmentVariableIsSet(kVariable))
        qputenv(kVariable, kHugePageTunable);
}

void DropHugePageRequest() {
    if (qgetenv(kVariable) == kHugePageTunable)
        qunsetenv(kVariable);
}

void KeepLargeBlocksInTheHeap() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
}

} // namespace tarvok
