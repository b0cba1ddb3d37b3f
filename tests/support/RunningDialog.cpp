#include "RunningDialog.h"

#include "resource.h"

#include <stdexcept>

const char kDialogCaption[] = "Ostrevan Pelmora Configuration";

namespace {

struct WindowSearch {
    const std::function<bool(HWND)> &wanted;
    HWND found;
};

BOOL CALLBACK findWanted(HWND window, LPARAM parameter)
{
    auto *search = reinterpret_cast<WindowSearch *>(parameter);
    if (!search->wanted(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK collectText(HWND child, LPARAM parameter)
{
    auto *texts = reinterpret_cast<std::string *>(parameter);
    const std::string text = windowText(child);
    if (!text.empty())
        *texts += text + "\n";
    return TRUE;
}

} // namespace

std::string programPath() { return besideThisProgram("PelmoraConfig.exe"); }

HWND topLevelWindow(const std::function<bool(HWND)> &wanted)
{
    WindowSearch search{wanted, nullptr};
    EnumWindows(findWanted, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD processOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::string windowText(HWND window)
{
    char text[4096] = "";
    const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

std::string className(HWND window)
{
    char name[256] = "";
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::string childTexts(HWND window)
{
    std::string texts;
    EnumChildWindows(window, collectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool waitForWindowGone(HWND window, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        if (!IsWindow(window))
            return true;
        Sleep(50);
    }
    return false;
}

RunningDialog::RunningDialog(const std::string &program)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        throw std::runtime_error("cannot start " + program + ": " + std::to_string(GetLastError()));
    // Idle means the dialog is initialised and waits in its modal loop.
    WaitForInputIdle(process_.hProcess, 30000);
    // The dialog in whatever language: the window that holds the modem list.
    const auto isDialog = [&](HWND window) {
        return processOf(window) == process_.dwProcessId && GetDlgItem(window, IDC_MODEM_LIST) != nullptr;
    };
    for (int attempt = 0; attempt < 600 && window_ == nullptr; ++attempt) {
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
            break;
        window_ = topLevelWindow(isDialog);
    }
    if (window_ == nullptr) {
        TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        throw std::runtime_error("the dialog did not appear");
    }
}

RunningDialog::~RunningDialog()
{
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningDialog::control(int id) const
{
    HWND control = GetDlgItem(window_, id);
    if (control == nullptr)
        throw std::runtime_error("the dialog has no control " + std::to_string(id));
    return control;
}

std::string RunningDialog::text(int id) const { return windowText(control(id)); }

bool RunningDialog::isEnabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }

bool RunningDialog::isChecked(int id) const
{
    return SendMessageA(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> RunningDialog::listEntries() const
{
    HWND list = control(IDC_MODEM_LIST);
    // Wine copies LB_GETTEXT's text across processes only for list boxes that
    // declare LBS_HASSTRINGS, which Windows implies for every list box that
    // is not owner-drawn; declare it so the entries can be read from here.
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    if ((style & LBS_HASSTRINGS) == 0)
        SetWindowLongW(list, GWL_STYLE, style | LBS_HASSTRINGS);
    std::vector<std::string> entries;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0)
            continue;
        std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry[0]));
        entry.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        char ansi[1024] = "";
        const int bytes = WideCharToMultiByte(CP_ACP, 0, entry.c_str(), static_cast<int>(entry.size()), ansi,
                                              sizeof ansi, nullptr, nullptr);
        entries.emplace_back(ansi, static_cast<size_t>(bytes > 0 ? bytes : 0));
    }
    return entries;
}

// A user cannot click a disabled control.
HWND RunningDialog::clickable(int id) const
{
    if (!isEnabled(id))
        throw std::runtime_error("control " + std::to_string(id) + " is disabled and cannot be clicked");
    return control(id);
}

void RunningDialog::click(int id) { SendMessageA(clickable(id), BM_CLICK, 0, 0); }

void RunningDialog::clickAndLeave(int id) { PostMessageA(clickable(id), BM_CLICK, 0, 0); }

void selectModem(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_MODEM_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MODEM_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void RunningDialog::select(int index) { selectModem(window_, index); }

HWND RunningDialog::waitForOwnedWindow(DWORD milliseconds) const
{
    const auto isOwned = [&](HWND window) {
        return GetWindow(window, GW_OWNER) == window_ && IsWindowVisible(window);
    };
    HWND found = nullptr;
    for (DWORD waited = 0; waited < milliseconds && (found = topLevelWindow(isOwned)) == nullptr; waited += 50)
        Sleep(50);
    return found;
}

bool RunningDialog::waitForExit(DWORD milliseconds)
{
    return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}
