#include "EditorLayout.h"

#include "resource.h"

#include <utility>

namespace {

// The grid as places in OVMOH_KEYPAD_CHARACTERS: the digits 1 to 9 in rows
// of three, then star, 0 and hash, as on a telephone.
constexpr int keypadGrid[kKeypadKeyCount] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 11};

constexpr bool everyCharacterHasOneKey()
{
    bool taken[kKeypadKeyCount] = {};
    for (int place : keypadGrid) {
        if (place < 0 || place >= kKeypadKeyCount || taken[place])
            return false;
        taken[place] = true;
    }
    return true;
}
static_assert(everyCharacterHasOneKey());

} // namespace

char keypadCharacter(int key) { return OVMOH_KEYPAD_CHARACTERS[keypadGrid[key]]; }

const EditorLayout editorLayouts[kSwitchHookSequenceCount] = {
    {IDS_STORE_ACCEPT,
     {IDS_NAME_ACCEPT_APPLY, IDS_NAME_ACCEPT_CLEAR, IDS_NAME_ACCEPT_RESTORE, IDS_NAME_ACCEPT_DIGIT, IDS_NAME_ACCEPT_KEY},
     {IDC_ACCEPT_DIGIT1, IDC_ACCEPT_DIGIT2, IDC_ACCEPT_DIGIT3, IDC_ACCEPT_DIGIT4},
     {IDC_ACCEPT_1, IDC_ACCEPT_2, IDC_ACCEPT_3, IDC_ACCEPT_4, IDC_ACCEPT_5, IDC_ACCEPT_6,
      IDC_ACCEPT_7, IDC_ACCEPT_8, IDC_ACCEPT_9, IDC_ACCEPT_STAR, IDC_ACCEPT_0, IDC_ACCEPT_HASH},
     IDC_ACCEPT_APPLY, IDC_ACCEPT_CLEAR, IDC_ACCEPT_RESTORE, IDC_ACCEPT_OVERRIDE},
    {IDS_STORE_RESUME,
     {IDS_NAME_RESUME_APPLY, IDS_NAME_RESUME_CLEAR, IDS_NAME_RESUME_RESTORE, IDS_NAME_RESUME_DIGIT, IDS_NAME_RESUME_KEY},
     {IDC_RESUME_DIGIT1, IDC_RESUME_DIGIT2, IDC_RESUME_DIGIT3, IDC_RESUME_DIGIT4},
     {IDC_RESUME_1, IDC_RESUME_2, IDC_RESUME_3, IDC_RESUME_4, IDC_RESUME_5, IDC_RESUME_6,
      IDC_RESUME_7, IDC_RESUME_8, IDC_RESUME_9, IDC_RESUME_STAR, IDC_RESUME_0, IDC_RESUME_HASH},
     IDC_RESUME_APPLY, IDC_RESUME_CLEAR, IDC_RESUME_RESTORE, IDC_RESUME_OVERRIDE},
    {IDS_STORE_REJECT,
     {IDS_NAME_REJECT_APPLY, IDS_NAME_REJECT_CLEAR, IDS_NAME_REJECT_RESTORE, IDS_NAME_REJECT_DIGIT, IDS_NAME_REJECT_KEY},
     {IDC_REJECT_DIGIT1, IDC_REJECT_DIGIT2, IDC_REJECT_DIGIT3, IDC_REJECT_DIGIT4},
     {IDC_REJECT_1, IDC_REJECT_2, IDC_REJECT_3, IDC_REJECT_4, IDC_REJECT_5, IDC_REJECT_6,
      IDC_REJECT_7, IDC_REJECT_8, IDC_REJECT_9, IDC_REJECT_STAR, IDC_REJECT_0, IDC_REJECT_HASH},
     IDC_REJECT_APPLY, IDC_REJECT_CLEAR, IDC_REJECT_RESTORE, IDC_REJECT_OVERRIDE},
};

bool findEditorControl(int id, EditorRole role, EditorControl &found)
{
    for (int e = 0; e < kSwitchHookSequenceCount; ++e) {
        const EditorLayout &layout = editorLayouts[e];
        const SwitchHookSequence editor = SwitchHookSequence(e);
        if (role == EditorRole::Key) {
            for (int k = 0; k < kKeypadKeyCount; ++k)
                if (layout.keypadIds[k] == id) {
                    found = {editor, k};
                    return true;
                }
            continue;
        }
        const std::pair<int, EditorRole> buttons[] = {{layout.applyId, EditorRole::Apply},
                                                      {layout.clearId, EditorRole::Clear},
                                                      {layout.restoreId, EditorRole::Restore},
                                                      {layout.overrideId, EditorRole::Override}};
        for (const auto &[buttonId, buttonRole] : buttons)
            if (buttonRole == role && buttonId == id) {
                found = {editor, 0};
                return true;
            }
    }
    return false;
}
