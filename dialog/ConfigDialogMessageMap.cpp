// The configuration dialog's message map. The editors' rows serve all the
// controls of one role in the three editors; which editor, and which key,
// the editor layout says once, for the row that matches.
#include "ConfigDialogLogic.h"

#include "resource.h"

using L = ConfigDialogLogic;

namespace {

template <EditorRole Role> bool is(int controlId, EditorControl &found)
{
    return findEditorControl(controlId, Role, found);
}

} // namespace

const MessageMapEntry<ConfigDialogLogic, EditorControl> ConfigDialogLogic::messageMap[] = {
    {ListSelChange, IDC_MODEM_LIST, &L::onModemSelected},
    // Routed and deliberately ignored: a double-click's selection has come
    // as a selection change already, and taking the focus changes nothing.
    {ListDoubleClick, IDC_MODEM_LIST, &L::onModemListIgnored},
    {ListSetFocus, IDC_MODEM_LIST, &L::onModemListIgnored},
    {ButtonClicked, IDC_ENABLE_MOH, &L::onEnableMoh},
    {ButtonClicked, IDC_DISABLE_MOH, &L::onDisableMoh},
    {ButtonClicked, is<EditorRole::Key>, &L::onKeypad},
    {ButtonClicked, is<EditorRole::Override>, &L::onOverride},
    {ButtonClicked, is<EditorRole::Apply>, &L::onApply},
    {ButtonClicked, is<EditorRole::Clear>, &L::onClear},
    {ButtonClicked, is<EditorRole::Restore>, &L::onRestore},
};

bool ConfigDialogLogic::onCommand(int notification, int controlId)
{
    const auto route = routeMessage(messageMap, notification, controlId);
    if (!route)
        return false;
    // Every control but the list acts on the current modem. They are disabled
    // until a selection, but any program can send the dialog a click sooner.
    if (controlId == IDC_MODEM_LIST || table_.hasCurrent())
        route.dispatch(*this);
    return true;
}
