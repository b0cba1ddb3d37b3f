// Everything of the sequence editors: locking and unlocking them, their digit
// fields, and their keys, override boxes, Apply, Clear and Restore.
#include "ConfigDialogLogic.h"

#include <cstring>

void ConfigDialogLogic::lockEditors()
{
    for (int e = 0; e < kSwitchHookSequenceCount; ++e) {
        editors_[e].restart();
        setEditorEnabled(SwitchHookSequence(e), false);
        controls_.enable(editorLayouts[e].overrideId, false);
    }
}

bool ConfigDialogLogic::lockedUntilSelection(int controlId)
{
    EditorControl found{};
    for (EditorRole role :
         {EditorRole::Key, EditorRole::Apply, EditorRole::Clear, EditorRole::Restore, EditorRole::Override})
        if (findEditorControl(controlId, role, found))
            return true;
    return false;
}

bool ConfigDialogLogic::isDigitField(int controlId)
{
    for (const EditorLayout &layout : editorLayouts)
        for (int id : layout.digitIds)
            if (id == controlId)
                return true;
    return false;
}

void ConfigDialogLogic::setEditorEnabled(SwitchHookSequence editor, bool enabled)
{
    const EditorLayout &layout = editorLayouts[editor];
    for (int id : layout.keypadIds)
        controls_.enable(id, enabled);
    controls_.enable(layout.applyId, enabled);
    controls_.enable(layout.clearId, enabled);
    controls_.enable(layout.restoreId, enabled);
}

void ConfigDialogLogic::controlsFromMembers()
{
    for (int e = 0; e < kSwitchHookSequenceCount; ++e)
        for (int d = 0; d < SequenceEditor::kDigitCount; ++d)
            controls_.setText(editorLayouts[e].digitIds[d], editors_[e].digit(d));
}

void ConfigDialogLogic::membersFromControls()
{
    for (int e = 0; e < kSwitchHookSequenceCount; ++e)
        for (int d = 0; d < SequenceEditor::kDigitCount; ++d)
            editors_[e].setDigit(d, controls_.text(editorLayouts[e].digitIds[d]));
}

// The override boxes of a modem just made current can be ticked, and its
// stored sequences fill the editors: every digit field is written once.
void ConfigDialogLogic::showCurrentInEditors()
{
    for (const EditorLayout &layout : editorLayouts)
        controls_.enable(layout.overrideId, true);
    for (int e = 0; e < kSwitchHookSequenceCount; ++e)
        loadStored(SwitchHookSequence(e));
    controlsFromMembers();
}

// An editor whose stored sequence is empty is emptied too, so that it never
// shows another modem's digits, or digits that were not stored.
void ConfigDialogLogic::loadStored(SwitchHookSequence editor)
{
    const std::string stored = current().*kSequenceFields[editor];
    if (stored.empty())
        editors_[editor].clear();
    else
        editors_[editor].showSequence(stored);
}

void ConfigDialogLogic::onKeypad(int, const EditorControl &key)
{
    editors_[key.editor].enterKey(keypadCharacter(key.key));
    controlsFromMembers();
}

void ConfigDialogLogic::onOverride(int checkBoxId, const EditorControl &checkBox)
{
    setEditorEnabled(checkBox.editor, controls_.isChecked(checkBoxId));
}

void ConfigDialogLogic::onApply(int, const EditorControl &button)
{
    const SwitchHookSequence editor = button.editor;
    membersFromControls();
    replaceStoredSequence(editor, editors_[editor].composed());
}

void ConfigDialogLogic::onClear(int, const EditorControl &button)
{
    const SwitchHookSequence editor = button.editor;
    editors_[editor].clear();
    controlsFromMembers();
    // A refused Clear must not look done: the stored value stays, so show it.
    if (!replaceStoredSequence(editor, "")) {
        loadStored(editor);
        controlsFromMembers();
    }
}

void ConfigDialogLogic::onRestore(int, const EditorControl &button)
{
    const SwitchHookSequence editor = button.editor;
    editors_[editor].restart();
    editors_[editor].showSequence(saved_[table_.currentIndex][editor]);
    controlsFromMembers();
}

// Hands the new sequence to the library in the current record. Only once it
// is stored does the replaced value become the one Restore brings back; when
// the library refuses, record and saved value keep what they held.
bool ConfigDialogLogic::replaceStoredSequence(SwitchHookSequence editor, const std::string &sequence)
{
    ModemRecord &record = current();
    char (&field)[MODEM_TEXT_SIZE] = record.*kSequenceFields[editor];
    const std::string previous = field;

    std::strncpy(field, sequence.c_str(), MODEM_TEXT_SIZE - 1);
    field[MODEM_TEXT_SIZE - 1] = '\0';
    const int error = library_.writeSwitchHook(editor, &record);
    if (error != 0) {
        std::strncpy(field, previous.c_str(), MODEM_TEXT_SIZE - 1);
        reportFailure(editorLayouts[editor].storeFailedTextId, error);
        return false;
    }
    if (!previous.empty())
        saved_[table_.currentIndex][editor] = previous;
    return true;
}
