// The measurement file after real runs: the 20-record rule, the block's
// layout to the byte, appending, the 1000-record cap, write errors.
#include <filesystem>

#include "ADFormFixture.h"
#include "support/FileSizeLimit.h"
#include "vb/DateTime.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace {

using adutil_test::ADFormTest;

class MeasurementFileTest : public ADFormTest {
protected:
    MeasurementFileTest()
    {
        sim::Chip::Pack& pack = board().chip().pack;
        pack.noiseVolts = 0.0015;  // readings that differ
    }
    std::string path() { return folder.file("readings.txt"); }
    void write(bool append = false)
    {
        ad->txtFilePath.Text = path();
        ad->chkAppend.Value = append ? 1 : 0;
        ad->cmdStartRec.userClick();
    }
    static int count(const std::string& text, const std::string& what)
    {
        int n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }
    // The block the records of the last run give, written at time t.
    std::string block(const vb::DateTime& t, const std::string& channel, const std::string& comment = "KVN58C3 AD Data")
    {
        const auto& r = ad->records;
        std::string text = channel + "," + vb::DateText(t) + "," + vb::TimeText(t) + ", Qty " +
            std::to_string(r.ReadingCount) + "\r\n" +
            " AD Channel , Reading # , Calc mvolts , Raw AD Decimal ,Measurement Time mSec\r\n";
        for (int i = 1; i <= r.ReadingCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            text += comment + ":" + channel + ", " + std::to_string(i) + "," +
                vb::Format(r.CalcMvArray[k], "#0.000000") + ", " +
                std::to_string(static_cast<long>(r.RawCodeArray[k])) + "," + r.ReadingTimeText[k] + "\r\n";
        }
        return text + "END " + comment + "\r\n";
    }
};

TEST_F(MeasurementFileTest, NineteenRecordsAreRefusedAndTwentyWritten)
{
    runChannel(3, 19);
    ASSERT_EQ(ad->records.ReadingCount, 19);
    write();
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "Save More Measurements");
    EXPECT_EQ(rt.boxes()[0].buttons, ui::vbOKOnly);
    EXPECT_FALSE(std::filesystem::exists(path()));
    EXPECT_EQ(ad->Label18.Caption.get(), "");

    runChannel(3, 20);
    write();
    EXPECT_EQ(rt.boxes().size(), 1u);
    const std::string text = folder.read("readings.txt");
    EXPECT_EQ(count(text, "KVN58C3 AD Data:CELL3,"), 20);
    EXPECT_EQ(ad->Label18.Caption.get(),
        " 20 Measurement set(s) written: " + vb::DateText(rt.Now()) + " " + vb::TimeText(rt.Now()));
    EXPECT_TRUE(ad->cmdCollectData2.Enabled);
    EXPECT_FALSE(rt.files().isOpen(1));
}

TEST_F(MeasurementFileTest, TheBlockIsLaidOutToTheByte)
{
    runChannel(chipreg::kMonCurrent, 21);
    ad->txtFileComment.Text = "bench 4";
    write();
    const std::string channel = "Current Gain:x";  // the gain label is empty until a gain is chosen
    ASSERT_EQ(ad->lblInstInput.Caption.get(), channel);
    EXPECT_EQ(folder.read("readings.txt"), block(rt.Now(), channel, "bench 4"));
    // The current is negative (the pack feeds its load): the reading carries its minus sign.
    EXPECT_LT(ad->records.CalcMvArray[1], 0);
    EXPECT_NE(folder.read("readings.txt").find(",-"), std::string::npos);
}

TEST_F(MeasurementFileTest, ACommentWithCommasAndLineBreaksStaysInItsField)
{
    runChannel(5, 25);
    ad->txtFileComment.Text = "bench, 4\r\nrun";
    write();
    EXPECT_EQ(folder.read("readings.txt"), block(rt.Now(), "CELL5", "bench  4  run"));
}

TEST_F(MeasurementFileTest, AppendingTwiceGivesTwoWholeBlocksAndOverwritingOne)
{
    runChannel(5, 25);
    write(true);
    const std::string first = block(rt.Now(), "CELL5");
    rt.runFor(1500);  // a later time of writing
    write(true);
    const std::string second = block(rt.Now(), "CELL5");
    EXPECT_EQ(folder.read("readings.txt"), first + second);

    write(false);
    EXPECT_EQ(folder.read("readings.txt"), block(rt.Now(), "CELL5"));
}

TEST_F(MeasurementFileTest, MoreThanAThousandReadingsGiveAThousandLinesTheLastTheLatest)
{
    shown();
    stopWhen([this] { return vb::Val(ad->lblReadCounter.Caption.get()) > 1003; });
    ad->OptMuxSelect[2].userClick();
    write();
    const std::string text = folder.read("readings.txt");
    EXPECT_EQ(count(text, "\r\n"), 1003);  // header, column line, 1000 records, end line
    EXPECT_NE(text.find(", Qty 1000\r\n"), std::string::npos);
    const std::string last = "KVN58C3 AD Data:CELL2, 1000," + ad->lblADINput[1].Caption.get() + ", " +
        std::to_string(vb::HexValue(ad->lblADINput[0].Caption.get())) + ",\r\nEND ";
    EXPECT_NE(text.find(last), std::string::npos) << last;
}

TEST_F(MeasurementFileTest, AWriteErrorIsReportedWithItsReasonAndTheFileClosed)
{
    runChannel(3, 20);
    const std::string status = ad->Label18.Caption.get();
    {
        ui::FileSizeLimit full(100);
        write();
    }
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "Measurement set not written: cannot write to " + path() + "\r\nFile too large.");
    const std::string kept = folder.read("readings.txt");
    EXPECT_TRUE(kept.ends_with("\r\n")) << kept;  // whole lines only
    EXPECT_EQ(rt.files().FreeFile(), 1);  // nothing left open
    EXPECT_EQ(ad->Label18.Caption.get(), status);
    EXPECT_FALSE(ad->cmdCollectData2.Enabled);
    EXPECT_FALSE(p().LoopRunning);

    const std::string missing = folder.file("no-such-folder/readings.txt");
    ad->txtFilePath.Text = missing;
    ad->cmdStartRec.userClick();
    ASSERT_EQ(rt.boxes().size(), 2u);
    EXPECT_EQ(rt.boxes()[1].prompt,
        "Measurement set not written: cannot write to " + missing + "\r\nNo such file or directory.");

    // No file named yet.
    ad->txtFilePath.Text = "";
    ad->cmdStartRec.userClick();
    ASSERT_EQ(rt.boxes().size(), 3u);
    EXPECT_EQ(rt.boxes()[2].prompt, "Measurement set not written: Bad file name or number.");
    EXPECT_EQ(rt.files().FreeFile(), 1);
}

// The file a numbered file is writing (the running recording log) is not
// truncated under it, nor added to.
TEST_F(MeasurementFileTest, TheFileTheProgramIsWritingIsRefused)
{
    runChannel(3, 20);
    ASSERT_TRUE(rt.files().Open(1, path(), ui::OpenMode::Output));
    ASSERT_TRUE(rt.files().Print(1, "a log line"));
    write(false);
    write(true);
    ASSERT_EQ(rt.boxes().size(), 2u);
    EXPECT_EQ(rt.boxes()[0].prompt,
        "Measurement set not written: cannot write to " + path() + "\r\nThe program is writing that file.");
    ASSERT_TRUE(rt.files().Print(1, "the next log line"));
    EXPECT_EQ(folder.read("readings.txt"), "a log line\r\nthe next log line\r\n");
}

TEST_F(MeasurementFileTest, BrowseNamesTheFileAndCancelKeepsTheName)
{
    auto& f = form();
    f.txtFilePath.Text = "before.txt";
    f.cmdBrowse_Click();  // cancelled
    EXPECT_EQ(f.txtFilePath.Text.get(), "before.txt");
    ASSERT_EQ(rt.dialogs().size(), 1u);
    const auto& d = rt.dialogs()[0];
    EXPECT_EQ(d.kind, ui::DialogKind::Save);
    EXPECT_EQ(d.title, "Select File For Recording");
    EXPECT_EQ(d.fileName, "");
    EXPECT_EQ(d.defaultExt, "txt");
    EXPECT_EQ(d.filter, "Text File (*.txt) |*.txt | All Files (*.*)|*.*|");
    rt.chooseFile(path());
    f.cmdBrowse_Click();
    EXPECT_EQ(f.txtFilePath.Text.get(), path());
}

// As the Qt view lays the page out: the frame's controls inside it and apart,
// the frame itself clear of every other control shown on the page.
TEST_F(MeasurementFileTest, TheRecordFrameFitsItsPageAndHoldsItsControlsApart)
{
    runChannel(3, 2);
    auto& f = *ad;
    ASSERT_TRUE(f.frmDataRecord.Visible);
    auto overlap = [](const ui::Control& a, const ui::Control& b) {
        return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
            b.Top < a.Top + a.Height;
    };
    std::vector<const ui::Control*> inFrame;
    for (const ui::Control* c : f.controls()) {
        if (c->container() == &f.frmDataRecord && c->Visible) {
            EXPECT_TRUE(c->Left >= 0 && c->Top >= 0 && c->Left + c->Width <= f.frmDataRecord.Width &&
                c->Top + c->Height <= f.frmDataRecord.Height)
                << c->name();
            inFrame.push_back(c);
        } else if (c != &f.frmDataRecord && c->container() == &f.SSTab1 &&
            c->containerPage() == adutil::kPageMeasurement && c->Visible) {
            EXPECT_FALSE(overlap(*c, f.frmDataRecord)) << c->name();
        }
    }
    EXPECT_EQ(inFrame.size(), 8u);
    for (std::size_t i = 0; i < inFrame.size(); ++i)
        for (std::size_t j = i + 1; j < inFrame.size(); ++j)
            EXPECT_FALSE(overlap(*inFrame[i], *inFrame[j])) << inFrame[i]->name() << " and " << inFrame[j]->name();
}

}  // namespace
