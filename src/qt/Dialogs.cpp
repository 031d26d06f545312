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

// A save dialog that never takes a name with a wildcard: a wildcard extension
// becomes the default one before Qt's own checks (the overwrite question
// among them) see the name; a wildcard in the name itself is refused.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& title, std::string defaultExt)
        : QFileDialog(parent, title), defaultExt_(std::move(defaultExt))
    {
        // Choosing "All Files (*.*)" makes Qt put ".*" on the typed name: take it back.
        connect(this, &QFileDialog::filterSelected, this, [this] { fixName(); });
    }

    void accept() override
    {
        if (!fixName()) {
            QMessageBox::warning(this, windowTitle(), QStringLiteral("A file name cannot hold * or ?."));
            return;
        }
        QFileDialog::accept();
    }

private:
    bool fixName()
    {
        const QStringList files = selectedFiles();
        if (files.isEmpty())
            return true;
        const std::string typed = files.front().toStdString();
        const std::string name = savableName(typed, defaultExt_);
        if (name.empty())
            return false;
        if (name != typed)
            selectFile(q(name));
        return true;
    }

    std::string defaultExt_;
};

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(std::string_view prompt, int style, std::string_view title, QWidget* parent)
{
    // The prompts break their lines with CR LF or a lone CR; Qt breaks only at LF.
    QString text = q(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(iconFor(style), q(title), text, buttonsFor(style), parent);
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
    const bool save = kind == ui::DialogKind::Save;
    std::unique_ptr<QFileDialog> qd;
    if (save)
        qd = std::make_unique<SaveDialog>(parent, q(dlg.DialogTitle), dlg.DefaultExt);
    else
        qd = std::make_unique<QFileDialog>(parent, q(dlg.DialogTitle));
    // Qt's own dialog everywhere, so the name checks above always run; saving
    // over an existing file is always asked.
    qd->setOption(QFileDialog::DontUseNativeDialog, true);
    qd->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    qd->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);

    // The filter first: selecting it afterwards would rewrite the proposed name.
    QStringList filters;
    for (const auto& f : nameFilters(dlg.Filter))
        filters << q(f);
    if (!filters.isEmpty()) {
        qd->setNameFilters(filters);
        if (dlg.FilterIndex >= 1 && dlg.FilterIndex <= filters.size())
            qd->selectNameFilter(filters[dlg.FilterIndex - 1]);
    }
    const std::string suffix = defaultSuffix(dlg.DefaultExt);
    if (!suffix.empty())
        qd->setDefaultSuffix(q(suffix));

    std::filesystem::path name(dlg.FileName);
    std::string dir = dlg.InitDir.empty() ? name.parent_path().string() : dlg.InitDir;
    if (!dir.empty())
        qd->setDirectory(q(dir));
    const std::string proposed =
        save ? savableName(name.filename().string(), dlg.DefaultExt) : name.filename().string();
    if (!proposed.empty())
        qd->selectFile(q(proposed));
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
