// The program's languages as its resources hold them, read from its file
// as Windows reads them: templates, strings and version records by language.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Language {
    const char *locale; // as LC_ALL names it under Wine, less its ".UTF-8"
    LANGID resources;   // the LANGUAGE of its resources
};

// English first, then each translation that languages/languages.txt lists.
extern const std::vector<Language> kLanguages;

struct Languages {
    const Language *first, *last;
    const Language *begin() const { return first; }
    const Language *end() const { return last; }
};
inline Languages translations() { return {kLanguages.data() + 1, kLanguages.data() + kLanguages.size()}; }

// The language of the locale this process runs under (LC_ALL, or else
// LC_MESSAGES, as Wine takes it): a translation of that language, or else
// English.
const Language &localeLanguage();

// One control of a DIALOGEX or DIALOG template, as framework/DialogTemplate.h
// reads it.
struct TemplateItem {
    DWORD style, exStyle;
    short x, y, cx, cy;
    int id;
    std::wstring className; // "#128" and so on for a predefined class
    std::wstring title;
};

struct DialogTemplate {
    std::wstring caption;
    std::vector<TemplateItem> items;
};

// PelmoraConfig.exe, loaded as data for as long as the object lives.
class ProgramResources {
public:
    ProgramResources();
    ~ProgramResources();
    ProgramResources(const ProgramResources &) = delete;
    ProgramResources &operator=(const ProgramResources &) = delete;

    // Empty where the language has no such resource of its own.
    DialogTemplate dialog(UINT id, LANGID language) const;
    std::wstring string(UINT id, LANGID language) const;

private:
    HMODULE module_;
};
