// The narrow view of a dialog's controls that the dialog's logic works
// through. The Win32 implementation drives real windows; tests use one that
// keeps the controls in memory.
//
// The controls' texts are the settings records' (list entries, digits), in
// the system's ANSI code page as the library keeps them; the program's own
// texts (the string table's, messages) are UTF-8.
//
// Only the surface enables and disables a dialog's controls and sets their
// texts, so one it has not touched is still as the dialog's template made it.
// The Win32 surface's start-up speed rests on this: a control the template
// created disabled is not even looked up to be disabled again, nor one it
// created empty to be emptied.
#pragma once

#include <string>
#include <vector>

class ControlSurface {
public:
    virtual ~ControlSurface() = default;

    virtual void enable(int id, bool enabled) = 0;
    virtual void setText(int id, const std::string &text) = 0;
    virtual std::string text(int id) const = 0;
    virtual bool isChecked(int id) const = 0;

    // List boxes: entries are appended at the end, never sorted, all at
    // once, so that a window measures them for its scroll bar once.
    virtual void listAppend(int id, const std::vector<std::string> &entries) = 0;
    virtual int listCount(int id) const = 0;
    // The selected entry's index, or -1 when nothing is selected.
    virtual int listSelection(int id) const = 0;

    // Tells the user something went wrong, in a message box the dialog owns.
    virtual void showError(const std::string &message) = 0;

    // A text of the program's string table; "" when it has none.
    virtual std::string loadString(int id) const = 0;
};
