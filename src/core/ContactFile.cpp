#include "ContactFile.h"

#include "ContactText.h"
#include "CsvContactReader.h"
#include "VCardReader.h"

#include <QFile>
#include <QFileInfo>

namespace tarvok {

ContactFileContent ReadContactBytes(const QByteArray& bytes, bool vCardName) {
    const ContactText decoded = DecodeContactBytes(bytes);
    if (decoded.error != ContactFileError::None) {
        ContactFileContent content;
        content.error = decoded.error;
        return content;
    }
    return vCardName || LooksLikeVCard(decoded.text) ? ReadVCard(decoded.text)
                                                     : ReadContactCsv(decoded.text);
}

ContactFileContent ReadContactFile(const QString& path) {
    ContactFileContent content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.error = ContactFileError::CannotOpen;
        return content;
    }
    // A device or pipe reports no size; reading one byte past the limit tells.
    const QByteArray bytes = file.read(kMaxContactFileBytes + 1);
    if (bytes.size() > kMaxContactFileBytes) {
        content.error = ContactFileError::TooLarge;
        return content;
    }
    if (file.error() != QFileDevice::NoError) {
        content.error = ContactFileError::CannotOpen;
        return content;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    return ReadContactBytes(bytes,
                            suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"));
}

bool IsContactFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard") ||
           suffix == QLatin1String("csv");
}

} // namespace tarvok
