// Dialog template resources, DIALOG and DIALOGEX alike: read where they lie,
// and copied with controls made disabled, for creating controls in the state
// the dialog needs at once instead of changing them afterwards.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

// A menu, class or title field: 0xFFFF and an ordinal, or a terminated text.
using TemplateName = const WCHAR *;

// One control of a template, its fixed fields read out.
struct DialogTemplateItem {
    size_t styleAt; // where its style lies, from the template's start
    DWORD style, exStyle;
    short x, y, cx, cy;
    int id;
    TemplateName className, title;
};

// Reads a template's header at once, then its controls one by one. Inline,
// so that the program, which reads one template in one place, carries no
// more of it than that place uses.
class DialogTemplateReader {
public:
    // DIALOGEX starts with version 1 and signature 0xFFFF; its header and
    // items hold a help id, and the extended style before the style.
    explicit DialogTemplateReader(const BYTE *data) : data_(data), extended_(read<DWORD>(data) == 0xFFFF0001)
    {
        style = read<DWORD>(data + (extended_ ? 12 : 0));
        itemCount = read<WORD>(data + (extended_ ? 16 : 8));
        at_ = skipName(skipName(data + (extended_ ? 26 : 18))); // menu, window class
        caption = nameAt(at_);
        at_ = skipName(at_);
        fontFace = nullptr;
        if (style & DS_SETFONT) {
            at_ += extended_ ? 6 : 2; // size, and weight, italic and charset
            fontFace = nameAt(at_);
            at_ = skipName(at_);
        }
    }

    // Call it itemCount times.
    DialogTemplateItem nextItem()
    {
        const BYTE *at = data_ + ((at_ - data_ + 3) & ~size_t(3));
        DialogTemplateItem item;
        item.styleAt = at - data_ + (extended_ ? 8 : 0);
        item.style = read<DWORD>(data_ + item.styleAt);
        item.exStyle = read<DWORD>(at + 4);
        at += extended_ ? 12 : 8;
        item.x = read<short>(at);
        item.y = read<short>(at + 2);
        item.cx = read<short>(at + 4);
        item.cy = read<short>(at + 6);
        item.id = extended_ ? read<int>(at + 8) : read<short>(at + 8);
        at += extended_ ? 12 : 10;
        item.className = nameAt(at);
        at = skipName(at);
        item.title = nameAt(at);
        at = skipName(at);
        at_ = at + sizeof(WORD) + read<WORD>(at); // creation data, after its size
        return item;
    }

    DWORD style;
    WORD itemCount;
    TemplateName caption;
    TemplateName fontFace; // null without DS_SETFONT

private:
    // The fields lie only WORD-aligned.
    template <typename T> static T read(const BYTE *at)
    {
        T value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    static const BYTE *skipName(const BYTE *at)
    {
        if (read<WORD>(at) == 0xFFFF)
            return at + 2 * sizeof(WORD);
        while (read<WORD>(at) != 0)
            at += sizeof(WORD);
        return at + sizeof(WORD);
    }
    static TemplateName nameAt(const BYTE *at) { return reinterpret_cast<TemplateName>(at); }

    const BYTE *data_, *at_;
    bool extended_;
};

// The program's template with WS_DISABLED set on every control whose id
// `disable` accepts; empty when there is no such template.
std::vector<BYTE> templateWithControlsDisabled(UINT templateId, bool (*disable)(int controlId));
