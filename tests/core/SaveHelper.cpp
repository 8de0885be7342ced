// Performs one save of a phone book, so that tests can run a save under strace (faults
// injected into its system calls, or the process killed between two of them) or as
// another user. Usage: core_save_helper <folder> <generation>
// The book has kHelperEntries entries and the first list is named "gen<generation>".
#include "SaveHelper.h"
#include "PhoneFile.h"

#include <cstdio>

using namespace tarvok;

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    PhoneBook book = HelperBook(QString::fromLocal8Bit(argv[2]));
    FileError error;
    if (!SavePhoneFile(QString::fromLocal8Bit(argv[1]), book, &error)) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(error.detail));
        return 1;
    }
    return 0;
}
