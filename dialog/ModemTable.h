// The dialog's modems: the records the library filled, in the order it
// reported them. List entry i is record i.
#pragma once

#include "OvMohReg.h"

#include <cstdint>

constexpr int32_t kModemTableSize = 10;

struct ModemTable {
    ModemRecord records[kModemTableSize];
    int32_t count = 0;
    // The selected record; only ever set to an index below count.
    int32_t currentIndex = -1;

    // Whether a selection has made a record current.
    bool hasCurrent() const { return currentIndex >= 0 && currentIndex < count; }

    // Empties the table and puts every record in the dialog's own start
    // state: zeroed, with libraryCode 255. The library reads none of it;
    // enumeration fills a record whole.
    void reset();
};
