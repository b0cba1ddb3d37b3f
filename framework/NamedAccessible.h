// A control's accessible object under a name that the program gives it, for
// a control whose own text, or the label before it, does not say what it is.
#pragma once

#include <windows.h>

#include <string>

// The answer to WM_GETOBJECT (its wParam as Windows sent it) for the
// control's client area: an object that gives the name and leaves every
// other question (role, state, value, location, navigation...) to the
// control's standard object. 0, for the control to answer as it would, where
// the system's accessibility libraries cannot be loaded.
LRESULT namedAccessibleObject(HWND control, WPARAM wParam, const std::string &name);
