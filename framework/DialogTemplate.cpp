#include "DialogTemplate.h"

std::vector<BYTE> templateWithControlsDisabled(UINT templateId, bool (*disable)(int controlId))
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const auto *bytes = static_cast<const BYTE *>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr)
        return {};
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, resource));

    DialogTemplateReader reader(copy.data());
    for (WORD i = 0; i < reader.itemCount; ++i) {
        DialogTemplateItem item = reader.nextItem();
        if (disable(static_cast<short>(item.id))) {
            item.style |= WS_DISABLED;
            std::memcpy(&copy[item.styleAt], &item.style, sizeof item.style);
        }
    }
    return copy;
}
