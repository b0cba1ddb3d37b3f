// Puts the dialog, over the sample modems that the screenshot script has
// registered (scripts/lib/sample-modems.reg, as README's first command
// does), into a state worth a picture for the documentation: with
// "dialog", the second modem selected and the accept keypad in use; with
// "about", the About box over the dialog. It then holds still for a while
// so the picture can be taken, and closes the program.
#include "RunningDialog.h"
#include "resource.h"

#include <cstring>

int main(int argc, char **argv)
{
    const bool about = argc > 1 && std::strcmp(argv[1], "about") == 0;
    RunningDialog dialog;
    dialog.select(1);
    dialog.click(IDC_ACCEPT_OVERRIDE);
    for (int key : {IDC_ACCEPT_9, IDC_ACCEPT_HASH, IDC_ACCEPT_2})
        dialog.click(key);
    if (about)
        PostMessageA(dialog.window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    Sleep(15000);
    return 0;
}
