#include "TextField.h"

#include <cstring>

namespace {

// Length of text's longest prefix of at most limit bytes that ends after a
// whole character. A trail byte may look like a lead byte, so the characters
// are counted from the start.
size_t wholeCharactersWithin(const char *text, size_t limit, UINT codePage)
{
    size_t end = 0;
    while (end < limit) {
        size_t next = end + (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[end])) ? 2 : 1);
        if (next > limit)
            break;
        end = next;
    }
    return end;
}

} // namespace

void copyToField(char *field, size_t fieldSize, const char *text, size_t length, UINT codePage)
{
    if (length > fieldSize - 1)
        length = wholeCharactersWithin(text, fieldSize - 1, codePage);
    std::memcpy(field, text, length);
    field[length] = '\0';
}
