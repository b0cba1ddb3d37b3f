#include "SequenceEditor.h"

void SequenceEditor::enterKey(char character)
{
    if (position_ >= kDigitCount)
        return;
    if (position_ == 0) {
        for (std::string &text : digits_)
            text.clear();
    }
    digits_[position_] = std::string(1, character);
    ++position_;
}

void SequenceEditor::showSequence(const std::string &sequence)
{
    if (sequence.empty())
        return;
    position_ = 0;
    for (char c : sequence)
        enterKey(c);
    position_ = 0;
}

void SequenceEditor::clear()
{
    for (std::string &text : digits_)
        text.clear();
    position_ = 0;
}

std::string SequenceEditor::composed() const
{
    std::string sequence;
    for (const std::string &text : digits_)
        sequence += text;
    return sequence;
}
