// Three modems registered as a machine would have them, and one ordinary
// subkey of the modem class that is no modem.
#pragma once

#include "RunningDialog.h"
#include "ModemRegistryTest.h"

inline const char kSerialPorts[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

class SampleModemsTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ModemRegistryTest::SetUp();
        addModem("0000", {{"DriverDesc", "Pelmora 56K"}, {"FriendlyName", "Pelmora 56K Data Fax"},
                          {"AttachedTo", "COM1"}});
        addModem("0001", {{"DriverDesc", "Pelmora V.92 PCI"}, {"AttachedTo", "COM3"}});
        addModem("0002", {{"FriendlyName", "Pelmora External"}, {"AttachedTo", "COM9"}});
        addModem("Properties", {{"Note", "not a modem"}});
        setText(kSerialPorts, "\\Device\\Serial0", "COM1");
        setText(kSerialPorts, "\\Device\\Serial2", "COM3");
    }
};
