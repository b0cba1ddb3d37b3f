// The configuration dialog's message map: one row for each acting control.
// Keypad rows name the key by its place in the grid (see keypadCharacters).
#include "ConfigDialogLogic.h"

#include "resource.h"

using L = ConfigDialogLogic;

const MessageMapEntry<ConfigDialogLogic> ConfigDialogLogic::messageMap[] = {
    {ListSelChange, IDC_MODEM_LIST, &L::onModemSelected},
    {ListDoubleClick, IDC_MODEM_LIST, &L::onModemListIgnored},
    {ListSetFocus, IDC_MODEM_LIST, &L::onModemListIgnored},
    {ButtonClicked, IDC_ENABLE_MOH, &L::onEnableMoh},
    {ButtonClicked, IDC_DISABLE_MOH, &L::onDisableMoh},

    {ButtonClicked, IDC_ACCEPT_1, &L::onKeypad<AcceptEditor, 0>},
    {ButtonClicked, IDC_ACCEPT_2, &L::onKeypad<AcceptEditor, 1>},
    {ButtonClicked, IDC_ACCEPT_3, &L::onKeypad<AcceptEditor, 2>},
    {ButtonClicked, IDC_ACCEPT_4, &L::onKeypad<AcceptEditor, 3>},
    {ButtonClicked, IDC_ACCEPT_5, &L::onKeypad<AcceptEditor, 4>},
    {ButtonClicked, IDC_ACCEPT_6, &L::onKeypad<AcceptEditor, 5>},
    {ButtonClicked, IDC_ACCEPT_7, &L::onKeypad<AcceptEditor, 6>},
    {ButtonClicked, IDC_ACCEPT_8, &L::onKeypad<AcceptEditor, 7>},
    {ButtonClicked, IDC_ACCEPT_9, &L::onKeypad<AcceptEditor, 8>},
    {ButtonClicked, IDC_ACCEPT_STAR, &L::onKeypad<AcceptEditor, 9>},
    {ButtonClicked, IDC_ACCEPT_0, &L::onKeypad<AcceptEditor, 10>},
    {ButtonClicked, IDC_ACCEPT_HASH, &L::onKeypad<AcceptEditor, 11>},
    {ButtonClicked, IDC_ACCEPT_OVERRIDE, &L::onOverride<AcceptEditor>},
    {ButtonClicked, IDC_ACCEPT_APPLY, &L::onApply<AcceptEditor>},
    {ButtonClicked, IDC_ACCEPT_CLEAR, &L::onClear<AcceptEditor>},
    {ButtonClicked, IDC_ACCEPT_RESTORE, &L::onRestore<AcceptEditor>},

    {ButtonClicked, IDC_RESUME_1, &L::onKeypad<ResumeEditor, 0>},
    {ButtonClicked, IDC_RESUME_2, &L::onKeypad<ResumeEditor, 1>},
    {ButtonClicked, IDC_RESUME_3, &L::onKeypad<ResumeEditor, 2>},
    {ButtonClicked, IDC_RESUME_4, &L::onKeypad<ResumeEditor, 3>},
    {ButtonClicked, IDC_RESUME_5, &L::onKeypad<ResumeEditor, 4>},
    {ButtonClicked, IDC_RESUME_6, &L::onKeypad<ResumeEditor, 5>},
    {ButtonClicked, IDC_RESUME_7, &L::onKeypad<ResumeEditor, 6>},
    {ButtonClicked, IDC_RESUME_8, &L::onKeypad<ResumeEditor, 7>},
    {ButtonClicked, IDC_RESUME_9, &L::onKeypad<ResumeEditor, 8>},
    {ButtonClicked, IDC_RESUME_STAR, &L::onKeypad<ResumeEditor, 9>},
    {ButtonClicked, IDC_RESUME_0, &L::onKeypad<ResumeEditor, 10>},
    {ButtonClicked, IDC_RESUME_HASH, &L::onKeypad<ResumeEditor, 11>},
    {ButtonClicked, IDC_RESUME_OVERRIDE, &L::onOverride<ResumeEditor>},
    {ButtonClicked, IDC_RESUME_APPLY, &L::onApply<ResumeEditor>},
    {ButtonClicked, IDC_RESUME_CLEAR, &L::onClear<ResumeEditor>},
    {ButtonClicked, IDC_RESUME_RESTORE, &L::onRestore<ResumeEditor>},

    {ButtonClicked, IDC_REJECT_1, &L::onKeypad<RejectEditor, 0>},
    {ButtonClicked, IDC_REJECT_2, &L::onKeypad<RejectEditor, 1>},
    {ButtonClicked, IDC_REJECT_3, &L::onKeypad<RejectEditor, 2>},
    {ButtonClicked, IDC_REJECT_4, &L::onKeypad<RejectEditor, 3>},
    {ButtonClicked, IDC_REJECT_5, &L::onKeypad<RejectEditor, 4>},
    {ButtonClicked, IDC_REJECT_6, &L::onKeypad<RejectEditor, 5>},
    {ButtonClicked, IDC_REJECT_7, &L::onKeypad<RejectEditor, 6>},
    {ButtonClicked, IDC_REJECT_8, &L::onKeypad<RejectEditor, 7>},
    {ButtonClicked, IDC_REJECT_9, &L::onKeypad<RejectEditor, 8>},
    {ButtonClicked, IDC_REJECT_STAR, &L::onKeypad<RejectEditor, 9>},
    {ButtonClicked, IDC_REJECT_0, &L::onKeypad<RejectEditor, 10>},
    {ButtonClicked, IDC_REJECT_HASH, &L::onKeypad<RejectEditor, 11>},
    {ButtonClicked, IDC_REJECT_OVERRIDE, &L::onOverride<RejectEditor>},
    {ButtonClicked, IDC_REJECT_APPLY, &L::onApply<RejectEditor>},
    {ButtonClicked, IDC_REJECT_CLEAR, &L::onClear<RejectEditor>},
    {ButtonClicked, IDC_REJECT_RESTORE, &L::onRestore<RejectEditor>},
};

bool ConfigDialogLogic::onCommand(int notification, int controlId)
{
    const MessageMapEntry<ConfigDialogLogic> *entry = findMessageMapEntry(messageMap, notification, controlId);
    if (entry == nullptr)
        return false;
    // Every control but the list acts on the current modem. They are disabled
    // until a selection, but any program can send the dialog a click sooner.
    if (controlId == IDC_MODEM_LIST || table_.hasCurrent())
        (this->*entry->handler)();
    return true;
}
