// Opens the dialog's logic on in-memory controls and a scripted library,
// and acts on it as a user would: only enabled controls can be clicked.
#pragma once

#include "ConfigDialogLogic.h"
#include "InMemoryControls.h"
#include "ScriptedLibrary.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

class DialogTest : public ::testing::Test {
protected:
    ScriptedLibrary library;
    InMemoryControls controls;
    std::unique_ptr<ConfigDialogLogic> dialog;

    void open(const std::vector<ModemRecord> &modems)
    {
        library.modems = modems;
        dialog = std::make_unique<ConfigDialogLogic>(library, controls);
        dialog->controlsFromMembers();
        dialog->initialise();
    }

    void click(int id)
    {
        if (!controls.isEnabled(id)) {
            ADD_FAILURE() << "control " << id << " is disabled and cannot be clicked";
            return;
        }
        if (controls.kind(id) == ControlKind::Check)
            controls.setChecked(id, !controls.isChecked(id));
        dialog->onCommand(ButtonClicked, id);
    }

    void select(int index)
    {
        controls.setSelection(IDC_MODEM_LIST, index);
        dialog->onCommand(ListSelChange, IDC_MODEM_LIST);
    }

    // Clicks the keypad keys of an editor, one for each character.
    void press(SwitchHookSequence editor, const std::string &keys)
    {
        for (char key : keys)
            for (int k = 0; k < kKeypadKeyCount; ++k)
                if (key == keypadCharacter(k))
                    click(editorLayouts[editor].keypadIds[k]);
    }

    void unlock(SwitchHookSequence editor) { click(editorLayouts[editor].overrideId); }

    // What the editor's four digit fields show.
    std::array<std::string, 4> shown(SwitchHookSequence editor) const
    {
        std::array<std::string, 4> digits;
        for (int d = 0; d < 4; ++d)
            digits[d] = controls.text(editorLayouts[editor].digitIds[d]);
        return digits;
    }

    const ModemRecord &record(int index) const { return dialog->table().records[index]; }

    // How many of the editor's 15 locked controls (keypad, Apply, Clear,
    // Restore) are enabled: 0 while it is locked, 15 while it is unlocked.
    int unlockedCount(SwitchHookSequence editor) const
    {
        const EditorLayout &layout = editorLayouts[editor];
        int count = 0;
        for (int id : layout.keypadIds)
            count += controls.isEnabled(id);
        for (int id : {layout.applyId, layout.clearId, layout.restoreId})
            count += controls.isEnabled(id);
        return count;
    }

    // What Restore brings back in the editor for the modem shown.
    const std::string &saved(SwitchHookSequence editor) const
    {
        return dialog->savedSequences().at(dialog->table().currentIndex)[editor];
    }
};

using Digits = std::array<std::string, 4>;
