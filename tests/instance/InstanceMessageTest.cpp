// The request line a later start sends and the reply it gets back: what goes out comes back
// the same, and anything that is not a well-formed message of this version is refused.
#include "InstanceMessage.h"

#include <gtest/gtest.h>

namespace tarvok {
namespace {

TEST(InstanceMessage, RequestsAndRepliesComeBackAsSent) {
    const InstanceRequest requests[] = {
        {QStringLiteral("show"), {}, QStringLiteral("/home/anna")},
        {QStringLiteral("dial"), {QStringLiteral("tel:+49-30-1234567;ext=12")}, QString()},
        {QStringLiteral("import"),
         {QStringLiteral("Müller \"Kontakte\".vcf"), QString()},
         QStringLiteral("/tmp/ä ö")},
    };
    for (const InstanceRequest& request : requests) {
        QByteArray line = EncodeInstanceRequest(request);
        ASSERT_TRUE(line.endsWith('\n'));
        line.chop(1);
        EXPECT_FALSE(line.contains('\n')) << line.constData();
        EXPECT_EQ(DecodeInstanceRequest(line), request) << line.constData();
    }
    for (const InstanceReply& reply :
         {InstanceReply{true, {}}, InstanceReply{false, QStringLiteral("Nö „x“\nzwei")}}) {
        QByteArray line = EncodeInstanceReply(reply);
        line.chop(1);
        EXPECT_EQ(DecodeInstanceReply(line), reply) << line.constData();
    }
}

TEST(InstanceMessage, RefusesWhatThisVersionDidNotWrite) {
    const char* const requests[] = {
        "",
        "garbage",
        "\x00\xff\xfe",
        "[1,2,3]",
        R"({"kind":"show"})",                         // no version
        R"({"tarvok":2,"kind":"show"})",              // a later version
        R"({"tarvok":"1","kind":"show"})",            // version as text
        R"({"tarvok":1})",                            // no kind
        R"({"tarvok":1,"kind":""})",                  // empty kind
        R"({"tarvok":1,"kind":7})",                   // kind not text
        R"({"tarvok":1,"kind":"dial","args":"030"})", // args not a list
        R"({"tarvok":1,"kind":"dial","args":[49]})",  // an argument not text
        R"({"tarvok":1,"kind":"dial","dir":["/"]})",  // folder not text
        R"({"tarvok":1,"kind":"show")",               // cut off
    };
    for (const char* line : requests)
        EXPECT_FALSE(DecodeInstanceRequest(QByteArrayView(line))) << line;

    const QByteArray huge =
        R"({"tarvok":1,"kind":"dial","args":[")" + QByteArray(kMaxInstanceMessage, '1') + R"("]})";
    EXPECT_FALSE(DecodeInstanceRequest(huge));

    for (const char* line : {"", R"({"tarvok":1})", R"({"tarvok":1,"ok":"yes"})",
                             R"({"tarvok":1,"ok":false,"reason":3})", R"({"tarvok":0,"ok":true})"})
        EXPECT_FALSE(DecodeInstanceReply(QByteArrayView(line))) << line;
}

} // namespace
} // namespace tarvok
