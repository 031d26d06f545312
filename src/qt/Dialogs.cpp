#include "qt/Dialogs.h"

#include <filesystem>

#include "qt/FileFilter.h"

namespace qt {

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QMessageBox::StandardButtons buttonsFor(int style)
{
    switch (ui::buttonsOf(style)) {
    case ui::vbOKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::vbAbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case ui::vbYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case ui::vbYesNo: return QMessageBox::Yes | QMessageBox::No;
    case ui::vbRetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
    }
}

// The first button of each set, as the form design's boxes default to it.
QMessageBox::StandardButton defaultFor(int style)
{
    switch (ui::buttonsOf(style)) {
    case ui::vbAbortRetryIgnore: return QMessageBox::Abort;
    case ui::vbYesNoCancel:
    case ui::vbYesNo: return QMessageBox::Yes;
    case ui::vbRetryCancel: return QMessageBox::Retry;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconFor(int style)
{
    switch (ui::iconOf(style)) {
    case ui::vbCritical: return QMessageBox::Critical;
    case ui::vbQuestion: return QMessageBox::Question;
    case ui::vbExclamation: return QMessageBox::Warning;
    case ui::vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int resultOf(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok: return ui::vbOK;
    case QMessageBox::Cancel: return ui::vbCancel;
    case QMessageBox::Abort: return ui::vbAbort;
    case QMessageBox::Retry: return ui::vbRetry;
    case QMessageBox::Ignore: return ui::vbIgnore;
    case QMessageBox::Yes: return ui::vbYes;
    case QMessageBox::No: return ui::vbNo;
    default: return ui::vbCancel;
    }
}

constexpr int kOverwritePrompt = 0x2;  // the dialog's "ask before overwriting" flag

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(std::string_view prompt, int style, std::string_view title, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(iconFor(style), q(title), q(prompt), buttonsFor(style), parent);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(defaultFor(style));
    return box;
}

int answerOf(const QMessageBox& box, int style)
{
    if (QAbstractButton* clicked = box.clickedButton())
        return resultOf(box.standardButton(clicked));
    switch (ui::buttonsOf(style)) {
    case ui::vbOKOnly: return ui::vbOK;
    case ui::vbYesNo: return ui::vbNo;
    default: return ui::vbCancel;
    }
}

std::unique_ptr<QFileDialog> makeFileDialog(const ui::CommonDialog& dlg, ui::DialogKind kind, QWidget* parent)
{
    auto qd = std::make_unique<QFileDialog>(parent, q(dlg.DialogTitle));
    const bool save = kind == ui::DialogKind::Save;
    qd->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    qd->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && (dlg.Flags & kOverwritePrompt) == 0)
        qd->setOption(QFileDialog::DontConfirmOverwrite, true);

    std::filesystem::path name(dlg.FileName);
    std::string dir = dlg.InitDir.empty() ? name.parent_path().string() : dlg.InitDir;
    if (!dir.empty())
        qd->setDirectory(q(dir));
    if (!name.filename().empty())
        qd->selectFile(q(name.filename().string()));

    QStringList filters;
    for (const auto& f : nameFilters(dlg.Filter))
        filters << q(f);
    if (!filters.isEmpty()) {
        qd->setNameFilters(filters);
        if (dlg.FilterIndex >= 1 && dlg.FilterIndex <= filters.size())
            qd->selectNameFilter(filters[dlg.FilterIndex - 1]);
    }
    std::string ext = dlg.DefaultExt;
    if (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    if (!ext.empty())
        qd->setDefaultSuffix(q(ext));
    return qd;
}

void takeChoice(const QFileDialog& qd, ui::CommonDialog& dlg)
{
    const QStringList files = qd.selectedFiles();
    if (!files.isEmpty())
        dlg.FileName = files.front().toStdString();
    const qsizetype index = qd.nameFilters().indexOf(qd.selectedNameFilter());
    if (index >= 0)
        dlg.FilterIndex = static_cast<int>(index) + 1;
}

}  // namespace qt
