// What distinguishes the three sequence editors: their controls and the
// action a refused write names. Each editor is indexed by the sequence it
// edits.
#pragma once

#include "SequenceEditor.h"
#include "SwitchHookSequences.h"

// A key for each character a sequence may hold.
constexpr int kKeypadKeyCount = sizeof OVMOH_KEYPAD_CHARACTERS - 1;

// The character of a keypad key; the keys count in grid order, row by row,
// left to right.
char keypadCharacter(int key);

struct EditorLayout {
    int storeFailedTextId; // the action a refused write names: "store the accept sequence of"
    int digitIds[SequenceEditor::kDigitCount];
    int keypadIds[kKeypadKeyCount]; // in grid order
    int applyId, clearId, restoreId, overrideId;
};

extern const EditorLayout editorLayouts[kSwitchHookSequenceCount];

// What a control that acts on an editor does there.
enum class EditorRole { Key, Apply, Clear, Restore, Override };

// Where an editor's control sits among the editors.
struct EditorControl {
    SwitchHookSequence editor;
    int key; // for a key, its place in grid order
};

// Finds the control among the editors' controls of this role; false where
// it is none of them.
bool findEditorControl(int id, EditorRole role, EditorControl &found);
