// The three switch-hook sequences of a modem record, in the order accept,
// resume, reject: the field that holds each and the library call that stores
// it. Each caller's own table of them (the dialog's editors, the console
// program's words) is indexed by SwitchHookSequence and takes these from here.
#ifndef SWITCHHOOKSEQUENCES_H
#define SWITCHHOOKSEQUENCES_H

#include "OvMohReg.h"

enum SwitchHookSequence { kAcceptSequence, kResumeSequence, kRejectSequence, kSwitchHookSequenceCount };

using SequenceField = char (ModemRecord::*)[MODEM_TEXT_SIZE];

constexpr SequenceField kSequenceFields[kSwitchHookSequenceCount] = {
    &ModemRecord::acceptSequence, &ModemRecord::resumeSequence, &ModemRecord::rejectSequence};

// Only where the library is linked: the dialog's logic reaches the library
// through an interface of its own, which stores a sequence by its index.
inline int writeSwitchHook(SwitchHookSequence sequence, ModemRecord *record)
{
    static int (*const writes[kSwitchHookSequenceCount])(ModemRecord *) = {
        writeSwitchHookAccept, writeSwitchHookResume, writeSwitchHookReject};
    return writes[sequence](record);
}

#endif
