#include "ConfigDialogLogic.h"

#include "FormatText.h"
#include "resource.h"

std::string ConfigDialogLogic::accessibleName(int controlId) const
{
    if (controlId == IDC_MODEM_LIST)
        return controls_.loadString(IDS_NAME_MODEM_LIST);
    for (const EditorLayout &layout : editorLayouts) {
        const EditorNames &names = layout.nameTextIds;
        for (int place = 0; place < SequenceEditor::kDigitCount; ++place)
            if (layout.digitIds[place] == controlId)
                return formatText(controls_.loadString(names.digit), {std::string(1, char('1' + place))});
        for (int key = 0; key < kKeypadKeyCount; ++key) {
            if (layout.keypadIds[key] != controlId)
                continue;
            const char character = keypadCharacter(key);
            const std::string spoken = character == '*'   ? controls_.loadString(IDS_NAME_STAR)
                                       : character == '#' ? controls_.loadString(IDS_NAME_HASH)
                                                          : std::string(1, character);
            return formatText(controls_.loadString(names.key), {spoken});
        }
        for (const auto &[buttonId, textId] :
             {std::pair{layout.applyId, names.apply}, {layout.clearId, names.clear}, {layout.restoreId, names.restore}})
            if (buttonId == controlId)
                return controls_.loadString(textId);
    }
    return {};
}
