// One save in a process of its own, so that tests can kill it at any system call, inject
// errors into it, or run it in a namespace with a tiny disk or as another user.
//
//   hardening_save_helper phone|provider <folder> <generation>
//       saves the helper book or table of that generation
//   hardening_save_helper restore <folder>
//       opens Brisel.DAT as the start does and, when it is damaged and the backup reads,
//       starts from the backup
//
// Exit 0 on success, 1 with "save failed: <file>: <reason>" on stderr, 2 on bad usage.
#include "SaveGenerations.h"

#include <cstdio>
#include <cstring>

using namespace tarvok;
using namespace tarvok::test;

namespace {

int report(const FileError& error) {
    std::fprintf(stderr, "save failed: %s: %s\n", qPrintable(error.fileName),
                 qPrintable(error.detail));
    return 1;
}

int restore(const QString& dir) {
    PhoneBook book;
    const PhoneFileOpening opening = OpenPhoneFile(dir, book);
    if (opening.outcome != PhoneFileOpening::Outcome::Damaged || !opening.backupReadable)
        return 2;
    FileError error;
    return StartFromPhoneBackup(dir, book, nullptr, &error) ? 0 : report(error);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "restore") == 0)
        return restore(QString::fromLocal8Bit(argv[2]));
    if (argc != 4)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const QString generation = QString::fromLocal8Bit(argv[3]);
    FileError error;
    bool saved = false;
    if (std::strcmp(argv[1], "phone") == 0) {
        PhoneBook book = HelperBook(generation);
        saved = SavePhoneFile(dir, book, &error);
    } else if (std::strcmp(argv[1], "provider") == 0) {
        saved = SaveProviderFile(dir, HelperTable(generation), &error);
    } else {
        return 2;
    }
    return saved ? 0 : report(error);
}
