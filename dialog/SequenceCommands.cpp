// The sequence editors' actions: keys, override boxes, Apply, Clear, Restore.
#include "ConfigDialogLogic.h"

#include <cstring>

void ConfigDialogLogic::onKeypad(int, const EditorControl &key)
{
    editors_[key.editor].enterKey(keypadCharacter(key.key));
    controlsFromMembers();
}

void ConfigDialogLogic::showSequence(SwitchHookSequence editor, const std::string &sequence)
{
    editors_[editor].showSequence(sequence);
    controlsFromMembers();
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

void ConfigDialogLogic::onOverride(int checkBoxId, const EditorControl &checkBox)
{
    setEditorEnabled(checkBox.editor, controls_.isChecked(checkBoxId));
}

void ConfigDialogLogic::onApply(int, const EditorControl &button)
{
    const SwitchHookSequence editor = button.editor;
    membersFromControls();
    storeSequence(editor, editors_[editor].composed());
}

void ConfigDialogLogic::onClear(int, const EditorControl &button)
{
    const SwitchHookSequence editor = button.editor;
    editors_[editor].clear();
    controlsFromMembers();
    // A refused Clear must not look done: the stored value stays, so show it.
    if (!storeSequence(editor, ""))
        showStored(editor);
}

void ConfigDialogLogic::onRestore(int, const EditorControl &button)
{
    const SwitchHookSequence editor = button.editor;
    editors_[editor].restart();
    showSequence(editor, saved_[table_.currentIndex][editor]);
}

// Hands the new sequence to the library in the current record. Only once it
// is stored does the replaced value become the one Restore brings back; when
// the library refuses, record and saved value keep what they held.
bool ConfigDialogLogic::storeSequence(SwitchHookSequence editor, const std::string &sequence)
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
