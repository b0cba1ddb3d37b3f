// Per modem and sequence, the last non-empty value that an Apply or Clear
// replaced, so that Restore can bring it back while the dialog is open.
#pragma once

#include "EditorLayout.h"
#include "ModemTable.h"

#include <array>
#include <string>

using SavedSequences = std::array<std::array<std::string, kSwitchHookSequenceCount>, kModemTableSize>;
