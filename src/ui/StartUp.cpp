#include "StartUp.h"

#include "FileErrorText.h"
#include "MessageBox.h"
#include "PhoneFile.h"
#include "ProviderFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarvok {

namespace {

const QString kAbort = QStringLiteral("Das Programm wird abgebrochen");

} // namespace

StartUp::StartUp(AppState& state, QWidget* parent)
    : m_state(state)
    , m_parent(parent) {}

StartUp::Next StartUp::LoadDataFiles() {
    m_state.CurrentTab = 1;
    const Next next = openPhoneFile();
    if (next == Next::EndProgram)
        return next;
    if (!loadProviders())
        return Next::EndProgram;
    return next;
}

StartUp::Next StartUp::openPhoneFile() {
    const PhoneFileOpening opening = OpenPhoneFile(m_state.dataDir, m_state.phoneBook);
    switch (opening.outcome) {
    case PhoneFileOpening::Outcome::Read:
    case PhoneFileOpening::Outcome::Converted:
        return Next::ShowLists;
    case PhoneFileOpening::Outcome::Created:
        MessageBox::information(
            m_parent, MessageBox::kTitle,
            QStringLiteral("Es wurde eine neue Telefon- und Einstellungendatei angelegt.") + u'\n' +
                QStringLiteral("Sie sollten daher die Programmeinstellungen jetzt überprüfen!"));
        return Next::ShowOptions;
    case PhoneFileOpening::Outcome::Incompatible:
        MessageBox::critical(m_parent, MessageBox::kTitle,
                             QStringLiteral("Die Telefonliste ist nicht kompatibel und") + u'\n' +
                                 QStringLiteral("kann daher nicht eingelesen werden.") +
                                 QStringLiteral("\n\n") + kAbort);
        return Next::EndProgram;
    case PhoneFileOpening::Outcome::Damaged:
        if (opening.backupReadable)
            return offerPhoneBackup(FileErrorText(opening.error));
        MessageBox::critical(m_parent, MessageBox::kTitle,
                             FileErrorText(opening.error) + QStringLiteral("\n\n") +
                                 QStringLiteral("Auch die Sicherungskopie „%1“ ist nicht lesbar.")
                                     .arg(QLatin1String(kPhoneBackupName)) +
                                 QStringLiteral("\n\n") + kAbort +
                                 QStringLiteral(", beide Dateien bleiben unverändert."));
        return Next::EndProgram;
    case PhoneFileOpening::Outcome::SaveFailed: {
        // The data read (or the defaults) are in memory; the next save tries again.
        MessageBox::critical(m_parent, MessageBox::kTitle,
                             FileErrorText(opening.error) + QStringLiteral("\n\n") +
                                 QStringLiteral("Änderungen werden erst gesichert, wenn das "
                                                "Speichern wieder gelingt."));
        const bool isNew =
            !QFileInfo::exists(QDir(m_state.dataDir).filePath(QLatin1String(kPhoneFileName)));
        return isNew ? Next::ShowOptions : Next::ShowLists;
    }
    }
    return Next::EndProgram;
}

StartUp::Next StartUp::offerPhoneBackup(const QString& problem) {
    const bool fromBackup = MessageBox::question(
        m_parent, MessageBox::kTitle,
        problem + QStringLiteral("\n\n") +
            QStringLiteral("Die Sicherungskopie „%1“ ist in Ordnung. Soll das Programm mit "
                           "ihr starten?")
                .arg(QLatin1String(kPhoneBackupName)) +
            u'\n' +
            QStringLiteral("Die beschädigte Datei wird dabei unter einem anderen Namen "
                           "aufbewahrt."));
    if (!fromBackup)
        return Next::EndProgram;

    QString keptAs;
    FileError error;
    if (!StartFromPhoneBackup(m_state.dataDir, m_state.phoneBook, &keptAs, &error)) {
        MessageBox::critical(m_parent, MessageBox::kTitle,
                             FileErrorText(error) + QStringLiteral("\n\n") + kAbort);
        return Next::EndProgram;
    }
    MessageBox::information(
        m_parent, MessageBox::kTitle,
        QStringLiteral("Das Programm arbeitet mit der Sicherungskopie weiter.") + u'\n' +
            QStringLiteral("Die beschädigte Datei wurde als „%1“ aufbewahrt.")
                .arg(QFileInfo(keptAs).fileName()));
    return Next::ShowLists;
}

// A provider file that could not be read completely would be replaced by the rows read at
// the next change of the table; a copy under another name keeps what is in it.
bool StartUp::loadProviders() {
    FileError error;
    if (LoadProviderFile(m_state.dataDir, m_state.providers, &error))
        return true;

    const QString problem =
        FileErrorText(error) + QStringLiteral("\n\n") +
        QStringLiteral("Es wurden %1 Anbieter übernommen.").arg(m_state.providers.rowCount());
    const QString keptAs = keepDamagedCopy(QLatin1String(kProviderFileName));
    if (!keptAs.isEmpty()) {
        MessageBox::exclamation(m_parent, MessageBox::kTitle,
                                problem + u'\n' +
                                    QStringLiteral("Die Datei wurde unverändert als „%1“ "
                                                   "aufbewahrt.")
                                        .arg(keptAs));
        return true;
    }
    return MessageBox::question(
        m_parent, MessageBox::kTitle,
        problem + u'\n' +
            QStringLiteral("Eine Kopie der Datei konnte nicht angelegt werden. Die nächste "
                           "Änderung der Anbieterliste ersetzt die Datei durch die "
                           "übernommenen Anbieter.") +
            QStringLiteral("\n\n") + QStringLiteral("Soll das Programm trotzdem starten?"));
}

// Returns the name of the copy, or empty when none could be made. The names follow those
// the phone book file gets when it is damaged.
QString StartUp::keepDamagedCopy(const QString& fileName) const {
    const QDir dir(m_state.dataDir);
    for (int n = 1; n < 1000; ++n) {
        const QString name = fileName + QStringLiteral(".damaged") +
                             (n == 1 ? QString() : u'-' + QString::number(n));
        if (QFileInfo::exists(dir.filePath(name)))
            continue;
        return QFile::copy(dir.filePath(fileName), dir.filePath(name)) ? name : QString();
    }
    return {};
}

} // namespace tarvok
