// An in-memory copy of a dialog template resource, for creating controls in
// the state the dialog needs at once instead of changing them afterwards.
#pragma once

#include <windows.h>

#include <vector>

// The program's DIALOGEX template with WS_DISABLED set on every control
// whose id `disable` accepts, and, where `windowClass` is given, made a
// window of that registered class instead of the system's dialog class;
// empty when there is no such template.
std::vector<BYTE> templateWithControlsDisabled(UINT templateId, bool (*disable)(int controlId),
                                               const wchar_t *windowClass = nullptr);
