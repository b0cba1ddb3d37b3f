// An in-memory copy of a dialog template resource, for creating controls in
// the state the dialog needs at once instead of changing them afterwards.
#pragma once

#include <windows.h>

#include <vector>

// The program's DIALOGEX template with WS_DISABLED set on every control
// whose id `disable` accepts; empty when there is no such template.
std::vector<BYTE> templateWithControlsDisabled(UINT templateId, bool (*disable)(int controlId));
