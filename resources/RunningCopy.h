/* While a program of the product runs it holds a named mutex, so that the
   installer and the uninstaller can tell that its files are in use and ask
   for it to be closed, rather than leave a copy half old and half new. The
   name is in the global namespace: a copy running in another user's session
   holds the files just as well. The build gives the name, which the
   packaging looks for too. */
#ifndef PELMORA_RUNNING_COPY_H
#define PELMORA_RUNNING_COPY_H

#include <windows.h>

#ifndef PELMORA_RUNNING_MUTEX
#error "the build names the running copy's mutex"
#endif

/* Creates or opens the mutex and keeps its handle until the process ends,
   when Windows closes it. Ownership is not needed: the mutex exists while any
   handle to it is open. A failure only means the installer cannot tell. */
static inline void markRunningCopy(void)
{
    CreateMutexA(NULL, FALSE, PELMORA_RUNNING_MUTEX);
}

#endif
