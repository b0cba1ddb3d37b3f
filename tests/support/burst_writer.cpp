// Stores the first modem's settings through the settings library in an
// endless loop, every kind of write in turn, until it is killed.
#include "BurstWrites.h"
#include "OvMohReg.h"

#include <cstring>

int main()
{
    ModemRecord modem = {};
    int32_t cursor = 0;
    if (enumOstvModem(&modem, &cursor) != 0)
        return 1;
    const unsigned sequences = sizeof kBurstSequences / sizeof *kBurstSequences;
    for (unsigned round = 0;; ++round) {
        const char *sequence = kBurstSequences[round % sequences];
        std::strcpy(modem.acceptSequence, sequence);
        std::strcpy(modem.resumeSequence, sequence);
        std::strcpy(modem.rejectSequence, sequence);
        writeSwitchHookAccept(&modem);
        writeSwitchHookResume(&modem);
        writeSwitchHookReject(&modem);
        (round % 2 ? enableMOH : disableMOH)(&modem);
    }
}
