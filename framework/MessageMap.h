// Static message maps: each row pairs a control notification and a control
// id with a handler, so every control's action can be read off one table.
// A handler is told the id of the control that acted. One row can serve a
// group of alike controls, such as the keys of a keypad: its group function
// finds the control and what the handler needs to know of it (which key),
// and the handler is handed that, so that it need not look again.
#pragma once

#include <cstddef>

// Control notification codes, with the values Windows sends in WM_COMMAND.
enum Notification : int {
    ButtonClicked = 0,     // BN_CLICKED
    ListSelChange = 1,     // LBN_SELCHANGE
    ListDoubleClick = 2,   // LBN_DBLCLK
    ListSetFocus = 4,      // LBN_SETFOCUS
};

template <class Target, class Found>
struct MessageMapEntry {
    using Handler = void (Target::*)(int controlId);
    using Group = bool (*)(int controlId, Found &found);
    using GroupHandler = void (Target::*)(int controlId, const Found &found);

    // A row for one control.
    constexpr MessageMapEntry(int code, int id, Handler action)
        : notification(code), controlId(id), handler(action) {}
    // A row for every control that the group function finds.
    constexpr MessageMapEntry(int code, Group members, GroupHandler action)
        : notification(code), group(members), groupHandler(action) {}

    int notification;
    int controlId = 0;
    Group group = nullptr;
    Handler handler = nullptr;
    GroupHandler groupHandler = nullptr;
};

// The row that handles a notification, with what its group function found
// of the control; no row where none matches.
template <class Target, class Found>
struct MessageRoute {
    const MessageMapEntry<Target, Found> *entry = nullptr;
    int controlId = 0;
    Found found{};

    explicit operator bool() const { return entry != nullptr; }

    void dispatch(Target &target) const
    {
        if (entry->group != nullptr)
            (target.*entry->groupHandler)(controlId, found);
        else
            (target.*entry->handler)(controlId);
    }
};

// The first row that matches.
template <class Target, class Found, std::size_t N>
MessageRoute<Target, Found> routeMessage(const MessageMapEntry<Target, Found> (&map)[N], int notification,
                                         int controlId)
{
    MessageRoute<Target, Found> route;
    route.controlId = controlId;
    for (const MessageMapEntry<Target, Found> &entry : map) {
        if (entry.notification != notification)
            continue;
        if (entry.group != nullptr ? entry.group(controlId, route.found) : entry.controlId == controlId) {
            route.entry = &entry;
            break;
        }
    }
    return route;
}
