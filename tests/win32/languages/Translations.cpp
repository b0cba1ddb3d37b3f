#include "Translations.h"

#include "RunningDialog.h"

#include <cstring>

const Language kLanguages[5] = {
    {"en_US.UTF-8", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)},
    {"de_DE.UTF-8", MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL)},
    {"fr_FR.UTF-8", MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL)},
    {"es_ES.UTF-8", MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL)},
    {"ja_JP.UTF-8", MAKELANGID(LANG_JAPANESE, SUBLANG_NEUTRAL)},
};

const Language &localeLanguage()
{
    char locale[64] = "";
    if (!GetEnvironmentVariableA("LC_ALL", locale, sizeof locale))
        GetEnvironmentVariableA("LC_MESSAGES", locale, sizeof locale);
    for (const Language &language : kLanguages)
        if (std::strncmp(locale, language.locale, 3) == 0) // "de_" and so on
            return language;
    return kLanguages[0];
}

namespace {

// Reads a template's fields in order, each WORD-aligned as the format has them.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE *data) : data_(data) {}
    template <typename T> T read()
    {
        T value;
        std::memcpy(&value, data_ + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    // A name or an ordinal (0xFFFF and a number, written here as "#n").
    std::wstring nameOrOrdinal()
    {
        const WORD first = read<WORD>();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(read<WORD>());
        std::wstring text;
        for (WORD c = first; c != 0; c = read<WORD>())
            text += static_cast<wchar_t>(c);
        return text;
    }
    void alignToDword() { at_ = (at_ + 3) & ~size_t(3); }

private:
    const BYTE *data_;
    size_t at_ = 0;
};

DialogTemplate parse(const BYTE *data)
{
    TemplateReader in(data);
    DialogTemplate dialog;
    const bool extended = in.read<WORD>() == 1 && in.read<WORD>() == 0xFFFF;
    in = TemplateReader(data);
    DWORD style;
    if (extended) {
        in.read<DWORD>(); // version and signature
        in.read<DWORD>(); // help id
        in.read<DWORD>(); // extended style
        style = in.read<DWORD>();
    } else {
        style = in.read<DWORD>();
        in.read<DWORD>();
    }
    const WORD count = in.read<WORD>();
    for (int i = 0; i < 4; ++i)
        in.read<short>();
    in.nameOrOrdinal(); // menu
    in.nameOrOrdinal(); // class
    dialog.caption = in.nameOrOrdinal();
    if (style & DS_SETFONT) {
        in.read<WORD>(); // size
        if (extended)
            in.read<DWORD>(); // weight, italic and charset
        dialog.fontFace = in.nameOrOrdinal();
    }
    for (WORD i = 0; i < count; ++i) {
        in.alignToDword();
        TemplateItem item;
        if (extended) {
            in.read<DWORD>(); // help id
            item.exStyle = in.read<DWORD>();
            item.style = in.read<DWORD>();
        } else {
            item.style = in.read<DWORD>();
            item.exStyle = in.read<DWORD>();
        }
        item.x = in.read<short>();
        item.y = in.read<short>();
        item.cx = in.read<short>();
        item.cy = in.read<short>();
        item.id = extended ? static_cast<int>(in.read<DWORD>()) : static_cast<short>(in.read<WORD>());
        item.className = in.nameOrOrdinal();
        item.title = in.nameOrOrdinal();
        const WORD extra = in.read<WORD>();
        for (WORD skipped = 0; skipped < extra; ++skipped)
            in.read<BYTE>();
        dialog.items.push_back(item);
    }
    return dialog;
}

} // namespace

ProgramResources::ProgramResources()
    : module_(LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
{
}

ProgramResources::~ProgramResources() { FreeLibrary(module_); }

DialogTemplate ProgramResources::dialog(UINT id, LANGID language) const
{
    HRSRC found = FindResourceExW(module_, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), language); // RT_DIALOG
    if (found == nullptr)
        return {};
    return parse(static_cast<const BYTE *>(LockResource(LoadResource(module_, found))));
}

// A string table resource is a block of sixteen counted texts.
std::wstring ProgramResources::string(UINT id, LANGID language) const
{
    HRSRC found = FindResourceExW(module_, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language); // RT_STRING
    if (found == nullptr)
        return {};
    const auto *text = static_cast<const WCHAR *>(LockResource(LoadResource(module_, found)));
    for (UINT i = 0; i < id % 16; ++i)
        text += 1 + *text;
    return std::wstring(text + 1, *text);
}
