// Static message maps: each row pairs a control notification and a control
// id with a handler, so every control's action can be read off one table.
#pragma once

#include <cstddef>

// Control notification codes, with the values Windows sends in WM_COMMAND.
enum Notification : int {
    ButtonClicked = 0,     // BN_CLICKED
    ListSelChange = 1,     // LBN_SELCHANGE
    ListDoubleClick = 2,   // LBN_DBLCLK
    ListSetFocus = 4,      // LBN_SETFOCUS
};

template <class Target>
struct MessageMapEntry {
    int notification;
    int controlId;
    void (Target::*handler)();
};

// The first row that matches, or null when none does.
template <class Target, std::size_t N>
const MessageMapEntry<Target> *findMessageMapEntry(const MessageMapEntry<Target> (&map)[N],
                                                   int notification, int controlId)
{
    for (const MessageMapEntry<Target> &entry : map) {
        if (entry.notification == notification && entry.controlId == controlId)
            return &entry;
    }
    return nullptr;
}
