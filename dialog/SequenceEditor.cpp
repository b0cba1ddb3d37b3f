#include "SequenceEditor.h"

void SequenceEditor::enterKey(const std::string &character)
{
    if (position < 0 || position >= kDigitCount)
        return;
    if (position == 0) {
        for (std::string &digit : digits)
            digit.clear();
    }
    digits[position] = character;
    ++position;
}

void SequenceEditor::showSequence(const std::string &sequence)
{
    if (sequence.empty())
        return;
    position = 0;
    for (char c : sequence)
        enterKey(std::string(1, c));
    position = 0;
}

void SequenceEditor::clear()
{
    for (std::string &digit : digits)
        digit.clear();
    position = 0;
}

std::string SequenceEditor::composed() const
{
    std::string sequence;
    for (const std::string &digit : digits)
        sequence += digit;
    return sequence;
}
