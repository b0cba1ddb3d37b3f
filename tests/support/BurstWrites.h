// What burst_writer stores, over and over, in the first modem's settings,
// and how the tests stop it in the middle of that.
#ifndef BURSTWRITES_H
#define BURSTWRITES_H

#include <windows.h>

const char *const kBurstSequences[] = {"", "1", "12*#", "#0*9", "55"};

// Starts burst_writer.exe from beside this program, waits until it has
// stored all four values of the first modem, lets it write for another
// killAfter milliseconds and kills it.
void killBurstWriterMidway(DWORD killAfter);

#endif
