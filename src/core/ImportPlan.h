#pragma once

#include "ContactNumber.h"
#include "ExternalNumber.h"
#include "PhoneList.h"
#include "StorableText.h"

#include <functional>
#include <vector>

namespace tarvok {

enum class ImportState { New, Present, Skipped };

enum class SkipReason {
    None,
    NoName,          // the contact has no name at all
    NoNumber,        // the contact has no number, or only blanks and separators
    BadNumber,       // not a phone number (see numberError)
    ListFull,        // the list would pass PhoneList::kMaxLines
    Unstorable,      // the name holds characters the phone book file cannot keep
    DuplicateInFile, // the same name and number came earlier in the file
};

// One number of the file as the list would keep it.
struct ImportRow {
    QString name;   // as it will be stored
    QString number; // in the phone book's form, empty when not readable
    int zeroPrefix = 1;
    ImportState state = ImportState::New;
    SkipReason reason = SkipReason::None;
    ExternalNumberError numberError = ExternalNumberError::None;
    QString replaced;   // letters stored by their base letter
    QString unstorable; // characters that made the row Unstorable
    QString fileNumber; // the number as the file wrote it
    int line = 0;
};

struct ImportPlan {
    std::vector<ImportRow> rows;
    int newCount = 0;
};

// How numbers and names from outside become the phone book's: the program's normalisation
// and windows-1252 check, or stand-ins.
struct ImportRules {
    std::function<ExternalNumber(const QString&)> number;
    std::function<StorableText(const QString&)> name;
};

// The rules of the running program, numbers read in the region of the own country code.
ImportRules StandardImportRules(const QString& ownCountryCode, const QString& ownAreaCode);

// Decides every row against `target`: "present" when the list holds the same name with a
// number of the same digits (grouping aside), so a list exported and read back adds nothing.
ImportPlan BuildImportPlan(const std::vector<ContactNumber>& numbers, const PhoneList& target,
                           const ImportRules& rules);

// Adds the new rows in their sorted places; returns how many were added.
int ApplyImportPlan(const ImportPlan& plan, PhoneList& target);

} // namespace tarvok
