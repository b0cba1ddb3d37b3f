// Static message maps: each row pairs a control notification and a control
// id with a handler, so every control's action can be read off one table.
// A handler is told the id of the control that acted, so that one row can
// serve a group of alike controls, such as the keys of a keypad.
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
    using Handler = void (Target::*)(int controlId);
    using Group = bool (*)(int controlId);

    // A row for one control.
    constexpr MessageMapEntry(int code, int id, Handler action)
        : notification(code), controlId(id), group(nullptr), handler(action) {}
    // A row for every control that the group function accepts.
    constexpr MessageMapEntry(int code, Group members, Handler action)
        : notification(code), controlId(0), group(members), handler(action) {}

    bool matches(int code, int id) const
    {
        return code == notification && (group != nullptr ? group(id) : id == controlId);
    }

    int notification;
    int controlId;
    Group group;
    Handler handler;
};

// The first row that matches, or null when none does.
template <class Target, std::size_t N>
const MessageMapEntry<Target> *findMessageMapEntry(const MessageMapEntry<Target> (&map)[N],
                                                   int notification, int controlId)
{
    for (const MessageMapEntry<Target> &entry : map) {
        if (entry.matches(notification, controlId))
            return &entry;
    }
    return nullptr;
}
