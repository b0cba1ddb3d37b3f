// What distinguishes the three sequence editors: their controls, the record
// field they edit and the library call that stores it.
#pragma once

#include "SettingsLibrary.h"

enum EditorIndex { AcceptEditor, ResumeEditor, RejectEditor, kEditorCount };

constexpr int kKeypadKeyCount = 12;

// The keypad's characters in grid order, row by row, left to right.
extern const char *const keypadCharacters[kKeypadKeyCount];

struct EditorLayout {
    int storeFailedTextId; // the action a refused write names: "store the accept sequence of"
    int digitIds[4];
    int keypadIds[kKeypadKeyCount]; // in the order of keypadCharacters
    int applyId, clearId, restoreId, overrideId;
    char (ModemRecord::*field)[MODEM_TEXT_SIZE];
    int (SettingsLibrary::*write)(ModemRecord *);
};

extern const EditorLayout editorLayouts[kEditorCount];
