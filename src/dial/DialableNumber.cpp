#include "DialableNumber.h"

namespace tarvok {

namespace {

bool isDialable(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u' ' || c == u',' || c == u'W' || c == u'*' ||
           c == u'#';
}

} // namespace

qsizetype FirstUndialableCharacter(QStringView number) {
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (!isDialable(number[i]))
            return i;
    }
    return -1;
}

} // namespace tarvok
