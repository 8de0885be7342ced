// The reader of request lines from the local socket on arbitrary bytes: it never crashes,
// and a request it accepts is written back as a line that reads the same.
#include "FuzzCheck.h"
#include "InstanceMessage.h"

using namespace tarvok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView line(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<InstanceRequest> request = DecodeInstanceRequest(line);
    if (request) {
        QByteArray again = EncodeInstanceRequest(*request);
        FUZZ_CHECK(again.endsWith('\n'));
        again.chop(1);
        FUZZ_CHECK(!again.contains('\n'));
        FUZZ_CHECK(DecodeInstanceRequest(again) == request);
    }
    const std::optional<InstanceReply> reply = DecodeInstanceReply(line);
    if (reply) {
        QByteArray again = EncodeInstanceReply(*reply);
        again.chop(1);
        FUZZ_CHECK(DecodeInstanceReply(again) == reply);
    }
    return 0;
}
