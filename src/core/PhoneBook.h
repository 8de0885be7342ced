#pragma once

#include "PhoneList.h"
#include "Settings.h"

#include <array>

namespace tarvok {

// Everything Brisel.DAT holds: the settings (with the list names) and the four lists.
struct PhoneBook {
    Settings settings;
    std::array<PhoneList, 4> lists; // lists[0] is list 1
};

} // namespace tarvok
