// What burst_writer stores, over and over, in the first modem's settings.
#ifndef BURSTWRITES_H
#define BURSTWRITES_H

const char *const kBurstSequences[] = {"", "1", "12*#", "#0*9", "55"};

#endif
