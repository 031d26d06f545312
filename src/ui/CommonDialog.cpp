#include "ui/CommonDialog.h"

#include "ui/Runtime.h"

namespace ui {

bool CommonDialog::ShowSave() { return rt().FileDialog(*this, DialogKind::Save); }
bool CommonDialog::ShowOpen() { return rt().FileDialog(*this, DialogKind::Open); }

}  // namespace ui
