#pragma once
// Real message boxes and file dialogs for the runtime: built here, run modally
// by QtRuntime (which can close them when the program ends).
#include <memory>
#include <string_view>

#include <QFileDialog>
#include <QMessageBox>

#include "ui/CommonDialog.h"
#include "ui/Runtime.h"

namespace qt {

// A box with the buttons and icon the style asks for (ui::MsgBoxStyle).
std::unique_ptr<QMessageBox> makeMessageBox(
    std::string_view prompt, int style, std::string_view title, QWidget* parent);
// The answer (ui::MsgBoxResult) of a box after it closed; a box closed without a
// button answers as its escape button would (Cancel, No or OK).
int answerOf(const QMessageBox& box, int style);

// A save or open dialog set up from the common dialog's title, folder, name,
// filter and default extension.
std::unique_ptr<QFileDialog> makeFileDialog(const ui::CommonDialog& dlg, ui::DialogKind kind, QWidget* parent);
// After the user accepted: the chosen file into FileName, the filter into FilterIndex.
void takeChoice(const QFileDialog& qd, ui::CommonDialog& dlg);

}  // namespace qt
