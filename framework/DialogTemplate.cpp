#include "DialogTemplate.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

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

// Where the items begin: after the menu, class, title and font fields.
size_t headerEnd(const std::vector<BYTE> &data, DWORD style)
{
    size_t at = sizeof(TemplateHeader);
    at = skipNameOrOrdinal(data, at); // menu
    at = skipNameOrOrdinal(data, at); // window class
    at = skipNameOrOrdinal(data, at); // title
    if (style & (DS_SETFONT | DS_SHELLFONT))
        at = skipNameOrOrdinal(data, at + 3 * sizeof(WORD)); // size, weight, italic and charset, face
    return at;
}

// The template with its window class named where it had the system's dialog
// class: the header grows, and the items, which start on a DWORD boundary,
// move with it.
std::vector<BYTE> withWindowClass(const std::vector<BYTE> &data, DWORD style, const wchar_t *windowClass)
{
    const size_t classAt = skipNameOrOrdinal(data, sizeof(TemplateHeader));
    const size_t titleAt = skipNameOrOrdinal(data, classAt);
    if (titleAt != classAt + sizeof(WORD)) // a class named already
        return data;
    const size_t end = headerEnd(data, style);
    const auto *name = reinterpret_cast<const BYTE *>(windowClass);
    std::vector<BYTE> result(data.begin(), data.begin() + classAt);
    result.insert(result.end(), name, name + (std::wcslen(windowClass) + 1) * sizeof(wchar_t));
    result.insert(result.end(), data.begin() + titleAt, data.begin() + end);
    result.resize(alignToDword(result.size()));
    result.insert(result.end(), data.begin() + std::min(alignToDword(end), data.size()), data.end());
    return result;
}

} // namespace

std::vector<BYTE> templateWithControlsDisabled(UINT templateId, bool (*disable)(int controlId),
                                               const wchar_t *windowClass)
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
    if (windowClass != nullptr)
        copy = withWindowClass(copy, header.style, windowClass);

    size_t at = headerEnd(copy, header.style);
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
