#include "Translations.h"

#include "DialogTemplate.h"
#include "RunningDialog.h"

#include <cstring>

namespace {

// A translation's resources are in its language, for every country's
// variant of it (SUBLANG_NEUTRAL), as README asks of a new one.
LANGID resourceLanguage(const char *locale)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    MultiByteToWideChar(CP_ACP, 0, locale, -1, name, LOCALE_NAME_MAX_LENGTH);
    name[2] = L'-'; // "de_DE" as Windows names it, "de-DE"
    return MAKELANGID(PRIMARYLANGID(LANGIDFROMLCID(LocaleNameToLCID(name, 0))), SUBLANG_NEUTRAL);
}

std::vector<Language> allLanguages()
{
    std::vector<Language> languages{{"en_US", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}};
    for (const char *locale : {PELMORA_TRANSLATION_LOCALES}) // from languages.txt, by CMake
        languages.push_back({locale, resourceLanguage(locale)});
    return languages;
}

} // namespace

const std::vector<Language> kLanguages = allLanguages();

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
