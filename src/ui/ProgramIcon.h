#pragma once

#include <QIcon>

class QPainter;

namespace tarvok {

// The window's icon, which is also the icon in the notification area: drawn, so that the
// program needs no image files.
QIcon programIcon();

// The drawing itself, `size` pixels square; the installed icons are rendered from it too,
// and data/tarvok-pro.svg draws the same.
void paintProgramIcon(QPainter& painter, int size);

} // namespace tarvok
