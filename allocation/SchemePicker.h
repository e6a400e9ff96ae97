#pragma once
// "Schemes": picks one scheme name, or none to clear an allocation.
#include <string>
#include <vector>
#include "framework/Dialog.h"
#include "framework/ListBox.h"

class CSchemePicker : public Dialog {
public:
    explicit CSchemePicker(HWND parent);

    // Results: whether OK was pressed, and the entry chosen then (empty for none).
    bool accepted = false;
    std::string chosen;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    bool Exchange(bool save) override;

private:
    static const std::vector<Command<CSchemePicker>>& Commands();
    void OnListDoubleClick();

    ListBox list_;
    std::vector<std::string> names_;
};
