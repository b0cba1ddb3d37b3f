#include "DialogTemplate.h"

#include <cstring>

namespace {

// The fixed part of a DIALOGEX template and of each of its items; the
// variable-length texts that follow each are skipped by their layout.
#pragma pack(push, 2)
struct TemplateHeader {
    WORD version, signature;
    DWORD helpId, exStyle, style;
    WORD itemCount;
    short x, y, cx, cy;
};
struct ItemHeader {
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
    DWORD id;
};
#pragma pack(pop)

// A menu, class or title field: 0xFFFF and an ordinal, or a terminated text.
size_t skipNameOrOrdinal(const std::vector<BYTE> &data, size_t at)
{
    WORD first;
    std::memcpy(&first, &data[at], sizeof first);
    if (first == 0xFFFF)
        return at + 2 * sizeof(WORD);
    for (WORD c = first; c != 0; std::memcpy(&c, &data[at], sizeof c))
        at += sizeof(WORD);
    return at + sizeof(WORD);
}

size_t alignToDword(size_t at) { return (at + 3) & ~size_t(3); }

} // namespace

std::vector<BYTE> templateWithControlsDisabled(UINT templateId, bool (*disable)(int controlId))
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const auto *bytes = static_cast<const BYTE *>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr)
        return {};
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, resource));

    TemplateHeader header;
    if (copy.size() < sizeof header)
        return {};
    std::memcpy(&header, copy.data(), sizeof header);
    if (header.version != 1 || header.signature != 0xFFFF)
        return {};
    size_t at = sizeof header;
    at = skipNameOrOrdinal(copy, at); // menu
    at = skipNameOrOrdinal(copy, at); // window class
    at = skipNameOrOrdinal(copy, at); // title
    if (header.style & (DS_SETFONT | DS_SHELLFONT))
        at = skipNameOrOrdinal(copy, at + 3 * sizeof(WORD)); // size, weight, italic and charset, face

    for (WORD i = 0; i < header.itemCount; ++i) {
        at = alignToDword(at);
        ItemHeader item;
        std::memcpy(&item, &copy[at], sizeof item);
        if (disable(static_cast<short>(item.id))) {
            item.style |= WS_DISABLED;
            std::memcpy(&copy[at], &item, sizeof item);
        }
        at = skipNameOrOrdinal(copy, at + sizeof item); // class
        at = skipNameOrOrdinal(copy, at);               // title
        WORD extraBytes;
        std::memcpy(&extraBytes, &copy[at], sizeof extraBytes);
        at += sizeof extraBytes + extraBytes;
    }
    return copy;
}
