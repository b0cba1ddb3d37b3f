// Everything the configuration dialog does, on plain members: the modem
// table, the three sequence editors and the saved sequences. It reaches its
// controls only through a ControlSurface and the modems only through a
// SettingsLibrary, so it runs the same in a real window and in tests.
#pragma once

#include "EditorLayout.h"
#include "MessageMap.h"
#include "ModemTable.h"
#include "SavedSequences.h"
#include "SequenceEditor.h"

#include "ControlSurface.h"
#include "SettingsLibrary.h"

#include <string>

class ConfigDialogLogic {
public:
    ConfigDialogLogic(SettingsLibrary &library, ControlSurface &controls);
    ConfigDialogLogic(const ConfigDialogLogic &) = delete;
    ConfigDialogLogic &operator=(const ConfigDialogLogic &) = delete;

    // Lists the modems and locks the editors; the dialog's controls exist.
    void initialise();

    // The controls initialise() locks: every editor's keys, Apply, Clear,
    // Restore and override box. A window can create them locked already.
    static bool lockedUntilSelection(int controlId);
    // The editors' digit fields, which the dialog's template creates empty,
    // as the editors start.
    static bool isDigitField(int controlId);

    // Routes a control notification through the message map; false when no
    // row handles it. Before a selection only the list's notifications act.
    bool onCommand(int notification, int controlId);

    // The name a screen reader reads for a control whose own text, or the
    // label before it, does not say what it is: the editors' buttons, digit
    // fields and keys, and the modem list (AccessibleNames.cpp). "" for the
    // other controls, which keep the name Windows gives them.
    std::string accessibleName(int controlId) const;

    // The two directions of data exchange between digit texts and fields.
    void controlsFromMembers();
    void membersFromControls();

    const ModemTable &table() const { return table_; }
    const SavedSequences &savedSequences() const { return saved_; }

private:
    // The handlers, on..., are the message map's: each is told the control
    // that acted, an editor's also its editor and key, as the map found them
    // in the editor layout.

    // The modem list, the selection and modem-on-hold (ConfigDialogLogic.cpp).
    void enumerateModems();
    void onModemSelected(int listId);
    void onModemListIgnored(int listId);
    void onEnableMoh(int buttonId);
    void onDisableMoh(int buttonId);
    void switchMoh(bool on);
    void reportFailure(int actionTextId, int error);
    ModemRecord &current() { return table_.records[table_.currentIndex]; }

    // The sequence editors (SequenceCommands.cpp).
    void lockEditors();
    void setEditorEnabled(SwitchHookSequence editor, bool enabled);
    void showCurrentInEditors();
    void loadStored(SwitchHookSequence editor);
    void onKeypad(int keyId, const EditorControl &key);
    void onOverride(int checkBoxId, const EditorControl &checkBox);
    void onApply(int buttonId, const EditorControl &button);
    void onClear(int buttonId, const EditorControl &button);
    void onRestore(int buttonId, const EditorControl &button);
    bool replaceStoredSequence(SwitchHookSequence editor, const std::string &sequence);

    static const MessageMapEntry<ConfigDialogLogic, EditorControl> messageMap[];

    SettingsLibrary &library_;
    ControlSurface &controls_;
    ModemTable table_;
    SequenceEditor editors_[kSwitchHookSequenceCount];
    SavedSequences saved_;
};
