// Texts from the string table with parts put in: %1 to %9 stand for the
// parts in order, as in the system's own message texts.
#pragma once

#include <string>
#include <vector>

inline std::string formatText(const std::string &pattern, const std::vector<std::string> &parts)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t part = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && part < parts.size()) {
            text += parts[part];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
