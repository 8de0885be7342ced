#include "TariffList.h"

#include "FieldReader.h"
#include "TextCodec.h"

#include <QList>

namespace tarvok {

namespace {

constexpr int kValuesPerRow = 9;
constexpr int kMaxNetworkCodeDigits = 12;

// A mark counts by its emptiness alone: "0" sets it as well.
int mark(QStringView value) {
    return value.trimmed().isEmpty() ? 0 : 1;
}

// Lines end with CR LF, LF or CR.
std::vector<QStringView> splitLines(QStringView text) {
    std::vector<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.push_back(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.mid(start));
    return lines;
}

} // namespace

QString ConvertTariffText(QStringView downloaded) {
    QString text = downloaded.toString();
    text.replace(u';', u',');
    text.remove(u'"');
    return text;
}

bool HasTariffMarker(QStringView converted) {
    return converted.startsWith(QLatin1String(kTariffMarker), Qt::CaseSensitive);
}

QByteArray UpdateFileBytes(QStringView converted) {
    return EncodeWindows1252(converted) + QByteArrayLiteral("\r\n");
}

bool IsDialableNetworkCode(QStringView code) {
    if (code.size() > kMaxNetworkCodeDigits)
        return false;
    for (QChar c : code) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// One provider per line: a line with nine values is a whole row, and the line after it
// is the next provider. A line with fewer values cannot be read and ends the import; so
// does text where an hour belongs. Blank lines are passed over.
TariffImport ImportTariffList(QStringView converted) {
    TariffImport result;
    const std::vector<QStringView> lines = splitLines(converted);
    const size_t count = lines.size();
    for (size_t i = 2; i < count; ++i) {
        const QStringView line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const auto values = line.split(u',');
        ProviderRecord record;
        const bool complete = values.size() >= kValuesPerRow;
        if (!complete ||
            ParseWholeNumber(values[4], &record.StartHour) != FieldReader::Status::Ok ||
            ParseWholeNumber(values[5], &record.EndHour) != FieldReader::Status::Ok) {
            result.failedLine = int(i + 1);
            result.truncated = !complete;
            break;
        }
        record.Name = values[0].trimmed().toString();
        record.NetworkCode = values[1].trimmed().toString();
        record.MoFr = mark(values[2]);
        record.SaSo = mark(values[3]);
        record.Near = mark(values[6]);
        record.Far = mark(values[7]);
        record.Abroad = mark(values[8]);
        if (!IsDialableNetworkCode(record.NetworkCode)) {
            ++result.skipped;
            continue;
        }
        result.rows.push_back(std::move(record));
    }
    return result;
}

} // namespace tarvok
