/* Overruns a guarded frame on purpose, for the stack guard's test: it must
   end by the guard's failure routine, never by returning. */
#include <stddef.h>

extern void *__stack_chk_guard;

static __attribute__((noinline)) void overrun(volatile size_t length)
{
    char buffer[8];
    for (size_t i = 0; i < length; ++i)
        ((volatile char *)buffer)[i] = 'x';
}

int main(void)
{
    if (__stack_chk_guard == (void *)(size_t)0xff0a0000u)
        return 3; /* never seeded */
    overrun(64);
    return 0;
}
