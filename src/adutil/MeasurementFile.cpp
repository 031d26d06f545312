// The measurement file: the readings of the last run written as one block of
// comma-separated lines (header, column line, one line per record, end line),
// over the file or after what it holds.
#include "adutil/frmADUtil.h"
#include "ui/Files.h"
#include "vb/DateTime.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

namespace {

// Fewer readings than this make no useful record.
constexpr int kMinimumRecords = 20;

constexpr const char* kColumnLine = " AD Channel , Reading # , Calc mvolts , Raw AD Decimal ,Measurement Time mSec";

}  // namespace

void frmADUtil::cmdBrowse_Click()
{
    cdldialog.DialogTitle = "Select File For Recording";
    cdldialog.FileName = "";
    cdldialog.CancelError = true;
    cdldialog.DefaultExt = "txt";
    cdldialog.Filter = "Text File (*.txt) |*.txt | All Files (*.*)|*.*|";
    cdldialog.FilterIndex = 2;
    // Cancel keeps the file named before.
    if (!cdldialog.ShowSave() || cdldialog.FileName.empty())
        return;
    txtFilePath.Text = cdldialog.FileName;
}

void frmADUtil::cmdStartRec_Click()
{
    const int count = records.ReadingCount;
    if (count < kMinimumRecords) {
        rt().MsgBox("Save More Measurements", ui::vbOKOnly);
        return;
    }
    p.LoopRunning = false;
    cmdCollectData2.Enabled = false;

    ui::FileTable& files = rt().files();
    const int n = files.FreeFile();
    const ui::OpenMode mode = chkAppend.Value == 1 ? ui::OpenMode::Append : ui::OpenMode::Output;
    constexpr const char* kNotWritten = "Measurement set not written";
    if (!files.Open(n, txtFilePath.Text.get(), mode)) {
        rt().fileFailed(kNotWritten);
        return;
    }
    // Each line reaches the disk whole; on a failure the file keeps what was
    // written before it and is closed, so it is not held open or half-used.
    auto print = [&](const std::string& line) {
        if (files.Print(n, line))
            return true;
        files.Close(n);
        rt().fileFailed(kNotWritten);
        return false;
    };

    const vb::DateTime now = rt().Now();
    const std::string channel = lblInstInput.Caption.get();
    // The user's comment never carries the separator or a line break into a record.
    const std::string comment = ui::fieldText(txtFileComment.Text.get(), ',');
    if (!print(channel + "," + vb::DateText(now) + "," + vb::TimeText(now) + ", Qty" + vb::Str(count)))
        return;
    if (!print(kColumnLine))
        return;
    for (int i = 1; i <= count; ++i) {
        const auto r = static_cast<std::size_t>(i);
        const std::string line = comment + ":" + channel + "," + vb::Str(i) + "," +
            vb::Format(records.CalcMvArray[r], "#0.000000") + "," + vb::Str(records.RawCodeArray[r]) + "," +
            records.ReadingTimeText[r];
        if (!print(line))
            return;
    }
    if (!print("END " + comment))
        return;
    files.Close(n);

    Label18.Caption = vb::Str(count) + " Measurement set(s) written: " + vb::DateText(now) + " " + vb::TimeText(now);
    cmdCollectData2.Enabled = true;
}

}  // namespace adutil
