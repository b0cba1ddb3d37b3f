// The modem list, the selection of a modem and its modem-on-hold switch.
// The sequence editors are in SequenceCommands.cpp, the message map in
// ConfigDialogMessageMap.cpp.
#include "ConfigDialogLogic.h"

#include "FormatText.h"
#include "resource.h"

ConfigDialogLogic::ConfigDialogLogic(SettingsLibrary &library, ControlSurface &controls)
    : library_(library), controls_(controls)
{
}

void ConfigDialogLogic::initialise()
{
    enumerateModems();
    lockEditors();
}

// The library's texts should end within their fields; make sure they do
// before the dialog reads them as strings.
static void terminateTexts(ModemRecord &record)
{
    for (char *text : {record.name, record.description, record.libraryText1, record.libraryText2,
                       record.acceptSequence, record.resumeSequence, record.rejectSequence})
        text[MODEM_TEXT_SIZE - 1] = '\0';
}

// Asks the library for every modem, within the table's size: once the table
// is full no further record is handed to the library. Any result but 0 ends
// the list, whatever the library means by it: libraries end an enumeration
// with results of their own. The list takes its entries at once, when all
// are read.
void ConfigDialogLogic::enumerateModems()
{
    table_.reset();
    std::vector<std::string> entries;
    int32_t cursor = 0;
    while (table_.count < kModemTableSize) {
        ModemRecord &record = table_.records[table_.count];
        if (library_.enumOstvModem(&record, &cursor) != 0)
            break;
        library_.CheckSerialModem(&record);
        terminateTexts(record);
        entries.push_back(std::string(record.name) + ": " + record.description);
        ++table_.count;
    }
    controls_.listAppend(IDC_MODEM_LIST, entries);
}

void ConfigDialogLogic::onModemSelected(int)
{
    // Only a selection of an existing record makes it current.
    if (controls_.listCount(IDC_MODEM_LIST) == 0)
        return;
    const int selection = controls_.listSelection(IDC_MODEM_LIST);
    if (selection < 0 || selection >= table_.count)
        return;

    table_.currentIndex = selection;
    const bool mohOn = current().mohEnabled != 0;
    controls_.enable(IDC_ENABLE_MOH, !mohOn);
    controls_.enable(IDC_DISABLE_MOH, mohOn);
    showCurrentInEditors();
}

void ConfigDialogLogic::onModemListIgnored(int) {}

void ConfigDialogLogic::onEnableMoh(int) { switchMoh(true); }

void ConfigDialogLogic::onDisableMoh(int) { switchMoh(false); }

// The buttons swap only once the library has stored the new state; the
// library leaves mohEnabled in the record as it stored it.
void ConfigDialogLogic::switchMoh(bool on)
{
    ModemRecord &record = current();
    const int error = on ? library_.enableMOH(&record) : library_.disableMOH(&record);
    if (error != 0) {
        reportFailure(on ? IDS_SWITCH_MOH_ON : IDS_SWITCH_MOH_OFF, error);
        return;
    }
    controls_.enable(IDC_ENABLE_MOH, !on);
    controls_.enable(IDC_DISABLE_MOH, on);
}

void ConfigDialogLogic::reportFailure(int actionTextId, int error)
{
    controls_.showError(formatText(controls_.loadString(IDS_WRITE_FAILED),
                                   {controls_.loadString(actionTextId), library_.programText(current().name),
                                    library_.describeError(error)}));
}
