// Every text of the dialog and the About box fits its control, in the
// language of the locale the test runs under, at 96, 144 and 192 DPI. Wine
// takes the DPI from the registry when a process starts, so the probe runs
// in a process of its own for each.
#include "Translations.h"

#include "ChildProcess.h"

#include <gtest/gtest.h>

namespace {

// The desktop's DPI, as Windows stores it for the user; the old value, or
// its absence, comes back when the test ends.
class DesktopDpi {
public:
    DesktopDpi()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof old_;
        hadValue_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE *>(&old_),
                                     &size) == ERROR_SUCCESS;
    }
    ~DesktopDpi()
    {
        if (hadValue_)
            set(old_);
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    void set(DWORD dpi)
    {
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&dpi), sizeof dpi);
    }

private:
    HKEY key_ = nullptr;
    DWORD old_ = 96;
    bool hadValue_ = false;
};

TEST(TextFit, EveryTextFitsItsControlAtEachDpi)
{
    DesktopDpi desktop;
    for (DWORD dpi : {96u, 144u, 192u}) {
        desktop.set(dpi);
        const DWORD faults = runToEnd("\"" + besideThisProgram("fit_probe.exe") + "\" " + std::to_string(dpi));
        EXPECT_EQ(faults, 0u) << localeLanguage().locale << " at " << dpi << " DPI; the probe printed each fault";
    }
}

} // namespace
