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

// What a control that acts on an editor does there.
enum class EditorRole { Key, Apply, Clear, Restore, Override };

struct EditorControl {
    EditorIndex editor;
    EditorRole role;
    int key; // for a key, its place in keypadCharacters
};

// Finds the control among the editors' acting controls; false where it is
// none of them (a digit field is not).
bool findEditorControl(int id, EditorControl &found);

// Whether the control is an editor's control with this role.
bool isEditorControl(int id, EditorRole role);
