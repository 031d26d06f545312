#pragma once
// The common file dialog: the settings a form gives it and the name chosen.
#include <string>

#include "ui/Controls.h"

namespace ui {

class CommonDialog : public Control {
public:
    CommonDialog(Form& f, std::string name) : Control(f, Kind::CommonDialog, std::move(name))
    {
        Visible.setQuietly(false);
    }
    std::string FileName;
    std::string DialogTitle;
    std::string Filter;  // "Text (*.txt)|*.txt|All (*.*)|*.*"
    int FilterIndex = 1;
    std::string InitDir;
    std::string DefaultExt;
    int Flags = 0;
    bool CancelError = false;

    // True when the user chose a file (FileName then holds it); false when cancelled,
    // which the forms treat as the dialog's cancel error.
    bool ShowSave();
    bool ShowOpen();
};

}  // namespace ui
