/* The stack protector's guard value and its failure routine, for the
   settings library and PelmoraCtl, in place of the ones in mingw's libssp:
   libssp seeds its guard through CryptGenRandom, which loads the system's
   crypto provider, three DLLs and its registry settings, into every process
   that loads the library; the dialog's start-up paid 63 Wine server
   requests for that. RtlGenRandom gives the same random bits from ADVAPI32,
   which both import anyway. */
#include <windows.h>
#include <ntsecapi.h>

/* Until it is seeded, and if seeding fails: a terminator value, whose zero
   and line-end bytes stop most string copies that could overrun it. */
void *__stack_chk_guard = (void *)(UINT_PTR)0xff0a0000u;

/* Run with the other constructors, before any guarded code. */
__attribute__((constructor)) static void seedStackGuard(void)
{
    void *guard;
    if (RtlGenRandom(&guard, sizeof guard))
        __stack_chk_guard = guard;
}

/* A frame was overrun: end at once, with the status Windows gives for a
   broken stack cookie, running nothing that the overrun may have corrupted. */
__attribute__((noreturn)) void __stack_chk_fail(void)
{
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_trap();
}
