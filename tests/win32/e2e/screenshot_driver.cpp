// Puts the dialog into a state worth a picture for the documentation: with
// "dialog", the second modem selected and the accept keypad in use; with
// "about", the About box over the dialog. It then holds still for a while
// so the picture can be taken, and closes the program.
#include "SampleModems.h"

#include "resource.h"

#include <cstring>

int main(int argc, char **argv)
{
    const bool about = argc > 1 && std::strcmp(argv[1], "about") == 0;
    clearModems();
    addModem("0000", {{"FriendlyName", "Ostrevan Pelmora 56K Data Fax Modem"}, {"AttachedTo", "COM1"}});
    addModem("0001", {{"FriendlyName", "Ostrevan Pelmora V.92 PCI Modem"}, {"AttachedTo", "COM3"}});
    addModem("0002", {{"DriverDesc", "Ostrevan Pelmora External Voice Modem"}, {"AttachedTo", "COM7"}});
    setText(kSerialPorts, "\\Device\\Serial0", "COM1");
    setText(kSerialPorts, "\\Device\\Serial2", "COM3");
    setText(settingsKey("0001"), "ResumeSequence", "*1");

    RunningDialog dialog;
    dialog.select(1);
    dialog.click(IDC_ACCEPT_OVERRIDE);
    for (int key : {IDC_ACCEPT_9, IDC_ACCEPT_HASH, IDC_ACCEPT_2})
        dialog.click(key);
    if (about)
        PostMessageA(dialog.window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    Sleep(15000);
    clearModems();
    return 0;
}
