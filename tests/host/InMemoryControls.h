// The configuration dialog's controls held in memory, built from the same
// control table as the dialog template. An id the dialog does not have is
// rejected with an exception, which fails the test that used it.
#pragma once

#include "ConfigTemplate.h"
#include "ControlSurface.h"

#include <map>
#include <string>
#include <vector>

class InMemoryControls : public ControlSurface {
public:
    InMemoryControls();

    void enable(int id, bool enabled) override;
    void setText(int id, const std::string &text) override;
    std::string text(int id) const override;
    bool isChecked(int id) const override;
    void listAppend(int id, const std::vector<std::string> &entries) override;
    int listCount(int id) const override;
    int listSelection(int id) const override;
    void showError(const std::string &message) override;
    std::string loadString(int id) const override;

    // What a user would see or do.
    bool isEnabled(int id) const;
    ControlKind kind(int id) const;
    void setChecked(int id, bool checked);
    void setSelection(int id, int index);
    const std::vector<std::string> &listEntries(int id) const;
    std::vector<int> enabledIds() const;

    std::vector<std::string> errors;

private:
    struct Control {
        ControlKind kind;
        bool enabled;
        bool checked = false;
        std::string text;
        std::vector<std::string> entries;
        int selection = -1;
    };
    Control &at(int id);
    const Control &at(int id) const;

    std::map<int, Control> controls_;
};
