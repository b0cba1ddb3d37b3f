#include "ModemTable.h"

#include <cstring>

void ModemTable::reset()
{
    count = 0;
    for (ModemRecord &record : records) {
        std::memset(&record, 0, sizeof record);
        record.libraryCode = 255;
    }
}
