/* Run by the MSI before it changes anything, as the setup program checks
   first too: it ends with 1 while a program of the product runs, holding
   the mutex of RunningCopy.h, so that Windows Installer stops with nothing
   changed instead of leaving old and new files side by side until a
   restart. Its argument is the installer's UILevel: from 4 (reduced) on,
   the installer shows windows, and so does this. */
#include "RunningCopy.h"

#include <stdlib.h>

int main(int argc, char **argv)
{
    HANDLE running = OpenMutexA(SYNCHRONIZE, FALSE, PELMORA_RUNNING_MUTEX);
    /* Another user's copy may deny even SYNCHRONIZE: it runs all the same. */
    if (!running && GetLastError() != ERROR_ACCESS_DENIED)
        return 0;
    if (running)
        CloseHandle(running);
    if (argc > 1 && atoi(argv[1]) >= 4)
        MessageBoxA(NULL, PELMORA_RUNNING_MESSAGE ", then install again.",
                    PELMORA_DISPLAY_NAME, MB_OK | MB_ICONSTOP);
    return 1;
}
