#include "HugePageHeap.h"

#include <QByteArray>
#include <QtGlobal>

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

} // namespace tarvok
