// The recording log: header on start, one record line per auto-scan tick.
#include "chip/Captions.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/RecordLine.h"

namespace chip {

namespace {

constexpr int kLogFile = 1;

// The log's state is its button: light red "Logging STOP" while on.
void showLog(ui::CommandButton& button, bool on)
{
    button.BackColor = on ? vb::kRunning : vb::kIdle;
    button.Caption = on ? kLogOnCaption : kLogOffCaption;
}

void printToLog(KVN58C3_Main& f, const std::string& line)
{
    if (!printOrStop(f, kLogFile, line, "Logging"))
        showLog(f.cbRecord, false);
}

}  // namespace

bool printOrStop(KVN58C3_Main& f, int fileNumber, const std::string& line, const std::string& what)
{
    ui::Runtime& rt = f.program().rt();
    if (rt.files().Print(fileNumber, line))
        return true;
    rt.files().Close(fileNumber);
    rt.fileFailed(what + " stopped");
    return false;
}

void layOutRecordLog(KVN58C3_Main& f)
{
    ui::place(f.cbRecord, {f.SSTab1, kPageReadings}, {kReadingsRightX + 166, 336, 160, 26}, kLogOffCaption,
        "Save Captured Readings for Export", [&f] { f.cbRecord_Click(); });
    f.cbRecord.BackColor = vb::kIdle;
}

void KVN58C3_Main::cbRecord_Click()
{
    ui::FileTable& files = p.rt().files();
    if (cbRecord.BackColor == vb::kRunning) {
        files.Close(kLogFile);
        showLog(cbRecord, false);
        return;
    }
    // File number 1 open while the log is off belongs to a data collection or sampling run.
    if (files.isOpen(kLogFile))
        return;
    showLog(cbRecord, true);
    CommonDialog1.CancelError = true;
    CommonDialog1.DefaultExt = ".txt";
    CommonDialog1.Filter = "Text File (*.txt)|*.txt| All Files (*.*)|*.*|";
    CommonDialog1.FilterIndex = 2;
    if (!CommonDialog1.ShowSave()) {
        showLog(cbRecord, false);
        return;
    }
    if (!files.Open(kLogFile, CommonDialog1.FileName, ui::OpenMode::Output)) {
        showLog(cbRecord, false);
        p.rt().fileFailed("Logging not started");
        return;
    }
    printToLog(*this, recordHeader());
}

void writeRecordLine(KVN58C3_Main& f)
{
    Program& p = f.program();
    RecordSnapshot s;
    const vb::DateTime now = p.rt().Now();
    s.dateTime = p.rt().RegionalDate(now) + "   " + p.rt().RegionalTime(now);
    for (int i = 0; i < kRecordedReadings; ++i)
        s.readings[static_cast<std::size_t>(i)] = f.VCELL[i].Text.get();
    s.fets = {f.cbPCFET.BackColor, f.cbCFET.BackColor, f.cbDFET.BackColor};
    for (int i = 0; i < kRecordedIndicators; ++i)
        s.indicators[static_cast<std::size_t>(i)] = f.LED[i].FillColor;
    printToLog(f, recordLine(s));
}

}  // namespace chip
