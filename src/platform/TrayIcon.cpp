#include "TrayIcon.h"

namespace tarvok {

QString TrayTip(const QString& text) {
    return text.left(TrayIcon::kMaxTipLength);
}

} // namespace tarvok
