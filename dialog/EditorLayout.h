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

// The texts that name an editor's controls to a screen reader, which their
// own texts ("Apply", "1") do not tell apart from another editor's.
struct EditorNames {
    int apply, clear, restore;
    int digit; // %1 the field's place, from 1
    int key;   // %1 the key's digit, or the word for * or #
};

struct EditorLayout {
    int storeFailedTextId; // the action a refused write names: "store the accept sequence of"
    EditorNames nameTextIds;
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
