#include "Translations.h"

#include "DialogTemplate.h"
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

// "#n" for an ordinal.
std::wstring textOf(TemplateName name)
{
    return name[0] == 0xFFFF ? L"#" + std::to_wstring(name[1]) : std::wstring(name);
}

DialogTemplate parse(const BYTE *data)
{
    DialogTemplateReader in(data);
    DialogTemplate dialog{textOf(in.caption), {}};
    for (WORD i = 0; i < in.itemCount; ++i) {
        const DialogTemplateItem item = in.nextItem();
        dialog.items.push_back({item.style, item.exStyle, item.x, item.y, item.cx, item.cy, item.id,
                                textOf(item.className), textOf(item.title)});
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
