#pragma once

#include <QIcon>

namespace tarvok {

// The window's icon, which is also the icon in the notification area: drawn, so that the
// program needs no image files.
QIcon programIcon();

} // namespace tarvok
