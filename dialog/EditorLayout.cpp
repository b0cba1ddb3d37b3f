#include "EditorLayout.h"

#include "resource.h"

const char *const keypadCharacters[kKeypadKeyCount] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#",
};

const EditorLayout editorLayouts[kEditorCount] = {
    {"accept sequence",
     {IDC_ACCEPT_DIGIT1, IDC_ACCEPT_DIGIT2, IDC_ACCEPT_DIGIT3, IDC_ACCEPT_DIGIT4},
     {IDC_ACCEPT_1, IDC_ACCEPT_2, IDC_ACCEPT_3, IDC_ACCEPT_4, IDC_ACCEPT_5, IDC_ACCEPT_6,
      IDC_ACCEPT_7, IDC_ACCEPT_8, IDC_ACCEPT_9, IDC_ACCEPT_STAR, IDC_ACCEPT_0, IDC_ACCEPT_HASH},
     IDC_ACCEPT_APPLY, IDC_ACCEPT_CLEAR, IDC_ACCEPT_RESTORE, IDC_ACCEPT_OVERRIDE,
     &ModemRecord::acceptSequence, &SettingsLibrary::writeSwitchHookAccept},
    {"resume sequence",
     {IDC_RESUME_DIGIT1, IDC_RESUME_DIGIT2, IDC_RESUME_DIGIT3, IDC_RESUME_DIGIT4},
     {IDC_RESUME_1, IDC_RESUME_2, IDC_RESUME_3, IDC_RESUME_4, IDC_RESUME_5, IDC_RESUME_6,
      IDC_RESUME_7, IDC_RESUME_8, IDC_RESUME_9, IDC_RESUME_STAR, IDC_RESUME_0, IDC_RESUME_HASH},
     IDC_RESUME_APPLY, IDC_RESUME_CLEAR, IDC_RESUME_RESTORE, IDC_RESUME_OVERRIDE,
     &ModemRecord::resumeSequence, &SettingsLibrary::writeSwitchHookResume},
    {"reject sequence",
     {IDC_REJECT_DIGIT1, IDC_REJECT_DIGIT2, IDC_REJECT_DIGIT3, IDC_REJECT_DIGIT4},
     {IDC_REJECT_1, IDC_REJECT_2, IDC_REJECT_3, IDC_REJECT_4, IDC_REJECT_5, IDC_REJECT_6,
      IDC_REJECT_7, IDC_REJECT_8, IDC_REJECT_9, IDC_REJECT_STAR, IDC_REJECT_0, IDC_REJECT_HASH},
     IDC_REJECT_APPLY, IDC_REJECT_CLEAR, IDC_REJECT_RESTORE, IDC_REJECT_OVERRIDE,
     &ModemRecord::rejectSequence, &SettingsLibrary::writeSwitchHookReject},
};
