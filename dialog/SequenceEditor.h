// One switch-hook sequence editor: a one-character digit text for each key
// a sequence can hold, and the position that says which of them the next key
// fills.
#pragma once

#include "OvMohReg.h"

#include <cstdint>
#include <string>

class SequenceEditor {
public:
    static constexpr int kDigitCount = OVMOH_SEQUENCE_MAX_LENGTH;

    // Takes one key: the first key of a sequence blanks the other digits;
    // once every digit is filled further keys are ignored until the editor
    // is reset.
    void enterKey(char character);

    // Shows a stored sequence from digit 1, leaving position 0 so the next
    // key starts a new sequence. An empty sequence changes nothing.
    void showSequence(const std::string &sequence);

    // Empties every digit and resets the position.
    void clear();

    // The next key starts a new sequence; the digits stay as they are.
    void restart() { position_ = 0; }

    // A digit's text, and the text its field shows, read back into it.
    const std::string &digit(int index) const { return digits_[index]; }
    void setDigit(int index, const std::string &text) { digits_[index] = text; }

    // The digits joined in order; empty digits add nothing.
    std::string composed() const;

private:
    std::string digits_[kDigitCount];
    int32_t position_ = 0;
};
