#include "InMemoryControls.h"

#include "FrameworkStrings.h"
#include "resource.h"

#include <stdexcept>

InMemoryControls::InMemoryControls()
{
    for (const TemplateControl &control : configControls) {
        if (control.id > 0)
            controls_[control.id] = Control{control.kind, enabledInTemplate(control.kind), false,
                                             control.caption, {}, -1};
    }
}

InMemoryControls::Control &InMemoryControls::at(int id)
{
    auto found = controls_.find(id);
    if (found == controls_.end())
        throw std::out_of_range("the dialog has no control " + std::to_string(id));
    return found->second;
}

const InMemoryControls::Control &InMemoryControls::at(int id) const
{
    return const_cast<InMemoryControls *>(this)->at(id);
}

static void requireKind(ControlKind actual, ControlKind wanted, int id, const char *use)
{
    if (actual != wanted)
        throw std::logic_error(std::string(use) + " on control " + std::to_string(id));
}

void InMemoryControls::enable(int id, bool enabled) { at(id).enabled = enabled; }

void InMemoryControls::setText(int id, const std::string &text) { at(id).text = text; }

std::string InMemoryControls::text(int id) const { return at(id).text; }

bool InMemoryControls::isChecked(int id) const { return at(id).checked; }

void InMemoryControls::listAppend(int id, const std::vector<std::string> &entries)
{
    requireKind(at(id).kind, ControlKind::ModemList, id, "listAppend");
    at(id).entries.insert(at(id).entries.end(), entries.begin(), entries.end());
}

int InMemoryControls::listCount(int id) const
{
    requireKind(at(id).kind, ControlKind::ModemList, id, "listCount");
    return static_cast<int>(at(id).entries.size());
}

int InMemoryControls::listSelection(int id) const
{
    requireKind(at(id).kind, ControlKind::ModemList, id, "listSelection");
    return at(id).selection;
}

void InMemoryControls::showError(const std::string &message) { errors.push_back(message); }

bool InMemoryControls::isEnabled(int id) const { return at(id).enabled; }

ControlKind InMemoryControls::kind(int id) const { return at(id).kind; }

void InMemoryControls::setChecked(int id, bool checked) { at(id).checked = checked; }

void InMemoryControls::setSelection(int id, int index)
{
    Control &list = at(id);
    if (index >= static_cast<int>(list.entries.size()))
        throw std::out_of_range("no list entry " + std::to_string(index));
    list.selection = index;
}

const std::vector<std::string> &InMemoryControls::listEntries(int id) const { return at(id).entries; }

std::vector<int> InMemoryControls::enabledIds() const
{
    std::vector<int> ids;
    for (const auto &[id, control] : controls_)
        if (control.enabled)
            ids.push_back(id);
    return ids;
}

// The program's own string table.
std::string InMemoryControls::loadString(int id) const
{
    switch (id) {
#define STRING_ROW(stringId, text) \
    case stringId: return text;
#include "StringTable.inc"
#undef STRING_ROW
    }
    return {};
}
