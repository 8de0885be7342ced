#pragma once

#include "AppState.h"
#include "InstanceMessage.h"

namespace tarvok {

class MainWindow;
class RequestRouter;

// "import" and "export" asked for by a start with --import or --export. Arguments: the
// file as given, relative to the asking process's working directory, and the list ("" for
// the list in front; for export "0" is all four). The export answers when the file is
// written; the import answers at once and then shows its preview in the window.
void AddContactRequests(RequestRouter& router, AppState& state, MainWindow& window);

// The file a request names, made absolute against its working directory; empty when the
// request does not name one that way.
QString RequestedContactFile(const InstanceRequest& request);

} // namespace tarvok
