/* A program that does nothing, built once for each flaw that
   check_binaries.cmake looks for, to prove that the check fails on it. The
   build's options bring the flaw, or this section does. */
#ifdef WRITABLE_CODE
__asm__(".section .wxcode,\"wx\"\n\tret\n\t.text");
#endif

int main(void)
{
    return 0;
}
