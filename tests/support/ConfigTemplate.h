// The configuration dialog's controls as template 102 holds them, in
// template order (which is also the tab order); where they stand is the
// resource script's alone.
#pragma once

#include <cstddef>

enum class ControlKind {
    DefaultPush,   // the default push button
    Push,          // push button
    PushDisabled,  // push button, disabled in the template
    PushGroup,     // push button that starts a group
    GroupBox,
    DigitField,    // one-character, read-only edit field
    ModemList,     // the modem list box
    Check,         // automatic check box
    CheckDisabled, // automatic check box, disabled in the template
};

struct TemplateControl {
    int id;
    ControlKind kind;
    const char *caption;
};

constexpr std::size_t kConfigControlCount = 70;
extern const TemplateControl configControls[kConfigControlCount];

bool enabledInTemplate(ControlKind kind);
