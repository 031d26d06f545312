// Register side of the chip form against the simulated board: single reads and
// writes, the I2C lock, bad register texts, memory modes, the shunt file, auto scan.
#include "shell/FormsFixture.h"

namespace {

using forms_test::FormsTest;
using usb::bridge::kCmdI2cRead;
using usb::bridge::kCmdI2cWrite;
using usb::bridge::kCmdSfrWrite;

class RegisterSideTest : public FormsTest {};

TEST_F(RegisterSideTest, ReadSendsCommandSixAndShowsTwoDigits)
{
    auto& f = launch();
    p().TraceOn = true;
    board().chip().writeRegister(0x84, 0x0A, rt.timeGetTime());
    const std::size_t from = board().log.size();

    f.cbRead_Click(0x84);

    const auto reads = reportsOf(kCmdI2cRead, from);
    ASSERT_EQ(reads.size(), 1u);
    usb::bridge::Report expected{};
    expected[0] = 1;
    expected[1] = 0x06;
    expected[2] = 0x51;  // read address
    expected[3] = 1;  // one data byte
    expected[4] = 1;  // one register-address byte
    expected[5] = 0x84;
    EXPECT_EQ(reads[0], expected);
    EXPECT_EQ(f.tbRegdata[0x84].Text.get(), "0A");
    EXPECT_EQ(f.ShpNak.FillColor.get(), vb::QBColor(10));
    EXPECT_FALSE(p().I2CBusy);
    EXPECT_NE(p().form<shell::Doco>().rtxt1.Text().find("     I2C Register Read  &H84 = &H0A\r\n"), std::string::npos);
}

// The value of a register follows its text, whoever set it and however often
// it is read; a read always shows its byte as two digits.
TEST_F(RegisterSideTest, ARegisterValueFollowsItsTextHoweverTheTextChanges)
{
    auto& f = launch();
    board().chip().writeRegister(0x84, 0x07, rt.timeGetTime());
    f.cbRead_Click(0x84);
    EXPECT_EQ(f.regValue(0x84), 7);
    f.tbRegdata[0x84].Text = "1ff";  // typed by the user
    EXPECT_EQ(f.regValue(0x84), 0x1FF);
    f.tbRegdata[0x84].Text = "7";
    EXPECT_EQ(f.regValue(0x84), 7);
    f.cbRead_Click(0x84);  // the same byte: its text becomes two digits again
    EXPECT_EQ(f.tbRegdata[0x84].Text.get(), "07");
    board().chip().writeRegister(0x84, 0xC3, rt.timeGetTime());
    f.cbRead_Click(0x84);
    EXPECT_EQ(f.tbRegdata[0x84].Text.get(), "C3");
    EXPECT_EQ(f.regValue(0x84), 0xC3);
    f.tbRegdata[0x84].Text = "";
    EXPECT_EQ(f.regValue(0x84), 0);
}

TEST_F(RegisterSideTest, ReadNotAcknowledgedKeepsTextAndPaintsRed)
{
    auto& f = launch();
    f.tbRegdata[0x84].Text = "5A";
    board().faults.nakOnce = 1;
    rt.answerNext(ui::vbRetry);

    f.cbRead_Click(0x84);

    EXPECT_TRUE(
        hasBox("Invalid I2C address. Press Retry to return to GUI and enter valid address or Cancel to close GUI."));
    EXPECT_EQ(f.tbRegdata[0x84].Text.get(), "5A");
    EXPECT_EQ(f.ShpNak.FillColor.get(), vb::QBColor(12));
    EXPECT_FALSE(p().I2CBusy);
}

TEST_F(RegisterSideTest, WritePadsOneDigitTextAndTraces)
{
    auto& f = launch();
    p().TraceOn = true;
    const std::size_t from = board().log.size();
    f.tbRegdata[0x84].Text = "5";

    f.cbWrite_Click(0x84);

    EXPECT_EQ(f.tbRegdata[0x84].Text.get(), "05");
    const auto writes = reportsOf(kCmdI2cWrite, from);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0][2], 0x50);
    EXPECT_EQ(writes[0][3], 2);
    EXPECT_EQ(writes[0][4], 0x84);
    EXPECT_EQ(writes[0][5], 0x05);
    EXPECT_EQ(board().chip().peek(0x84), 0x05);
    EXPECT_NE(p().form<shell::Doco>().rtxt1.Text().find("     I2C Register Write &H84 = &H05\r\n"), std::string::npos);
}

TEST_F(RegisterSideTest, WriteRetriesOnceQuietlyAfterThirtyMsOnNoAcknowledge)
{
    auto& f = launch();
    f.tbRegdata[0x84].Text = "03";
    f.cbWrite_Click(0x84);  // from here on the link knows no late answer is queued
    long long t0 = rt.now();
    f.cbWrite_Click(0x84);
    const long long plainWriteMs = rt.now() - t0;

    const std::size_t from = board().log.size();
    board().faults.nakOnce = 1;
    f.tbRegdata[0x84].Text = "04";
    t0 = rt.now();
    f.cbWrite_Click(0x84);

    const auto writes = reportsOf(kCmdI2cWrite, from);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], writes[1]);
    EXPECT_EQ(rt.now() - t0, plainWriteMs + 30);
    EXPECT_TRUE(rt.boxes().empty());
    EXPECT_EQ(f.ShpNak.FillColor.get(), vb::QBColor(10));
    EXPECT_EQ(board().chip().peek(0x84), 0x04);
}

TEST_F(RegisterSideTest, WriteNotAcknowledgedTwiceIsReportedOnceAndNotRepeated)
{
    auto& f = launch();
    const std::size_t from = board().log.size();
    board().faults.nakAll = true;
    rt.answerNext(ui::vbRetry);
    f.tbRegdata[0x84].Text = "03";

    f.cbWrite_Click(0x84);

    EXPECT_EQ(reportsOf(kCmdI2cWrite, from).size(), 2u);
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(f.ShpNak.FillColor.get(), vb::QBColor(12));
    EXPECT_FALSE(p().I2CBusy);
}

TEST_F(RegisterSideTest, LateAnswerOfAnEarlierTransferIsNotTakenForTheWritesAcknowledge)
{
    auto& f = launch();
    // An acknowledged read answer still queued from a transfer the link gave up on.
    usb::bridge::Report stale{};
    stale[0] = 1;
    stale[1] = 0x06;
    stale[2] = 0x51;
    stale[3] = 1;
    stale[4] = 1;
    stale[5] = 0x49;
    ASSERT_TRUE(board().receive(stale, rt.timeGetTime()));
    board().faults.nakAll = true;
    rt.answerNext(ui::vbRetry);
    f.tbRegdata[0x84].Text = "03";

    f.cbWrite_Click(0x84);

    EXPECT_EQ(rt.boxes().size(), 1u);  // both attempts were refused, and said so
    EXPECT_EQ(f.ShpNak.FillColor.get(), vb::QBColor(12));
}

TEST_F(RegisterSideTest, GarbageTextIsRefusedWithoutWriting)
{
    auto& f = launch();
    for (const char* text : {"zz", "123", "", "1 2", "-1", "&H10", "FFF"}) {
        const std::size_t from = board().log.size();
        rt.clearBoxes();
        f.tbRegdata[0x00].Text = text;
        f.cbWrite_Click(0x00);
        EXPECT_TRUE(reportsOf(kCmdI2cWrite, from).empty()) << text;
        ASSERT_EQ(rt.boxes().size(), 1u) << text;
        EXPECT_EQ(rt.boxes()[0].prompt,
            std::string("Register &H00 was not written: \"") + text + "\" is not a hexadecimal value from 00 to FF.");
        EXPECT_EQ(rt.boxes()[0].icon, ui::vbExclamation);
        EXPECT_EQ(f.tbRegdata[0x00].Text.get(), text);
        EXPECT_FALSE(p().I2CBusy);
    }
    EXPECT_EQ(board().chip().peek(0x00), 0x2A);
}

TEST_F(RegisterSideTest, WriteConfigStopsAtTheFirstGarbageTextWithOneBox)
{
    auto& f = launch();
    f.tbRegdata[0x03].Text = "zz";
    f.tbRegdata[0x05].Text = "yy";
    const std::size_t from = board().log.size();
    rt.clearBoxes();
    f.cbWritePack.userClick();
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_NE(rt.boxes()[0].prompt.find("\"zz\""), std::string::npos);
    // The registers before it were written, none after it.
    std::vector<int> written;
    for (const auto& r : reportsOf(kCmdI2cWrite, from))
        written.push_back(r[4]);
    EXPECT_EQ(written, (std::vector<int>{0x00, 0x01, 0x02}));
    EXPECT_FALSE(p().I2CBusy);
}

TEST_F(RegisterSideTest, EveryHexadecimalByteTextIsWrittenAndOnlyOneDigitIsPadded)
{
    auto& f = launch();
    rt.clearBoxes();
    const struct {
        const char* text;
        std::uint8_t value;
        const char* shown;
    } cases[] = {{"0", 0x00, "00"}, {"a", 0x0A, "0a"}, {"2a", 0x2A, "2a"}, {"0FF", 0xFF, "0FF"}, {" 5 ", 0x05, " 5 "},
        {"A1", 0xA1, "A1"}};
    for (const auto& c : cases) {
        f.tbRegdata[0x84].Text = c.text;
        f.cbWrite_Click(0x84);
        EXPECT_EQ(board().chip().peek(0x84), c.value) << c.text;
        EXPECT_EQ(f.tbRegdata[0x84].Text.get(), c.shown) << c.text;
    }
    EXPECT_TRUE(rt.boxes().empty());
}

TEST_F(RegisterSideTest, StuckLockIsClearedByForceAfterTwoMs)
{
    auto& f = launch();
    const std::size_t from = board().log.size();
    p().I2CBusy = true;  // a holder that never lets go
    bool heldAt1 = false;
    std::size_t readsAt1 = 99;
    rt.after(1, [&] {
        heldAt1 = p().I2CBusy;
        readsAt1 = reportsOf(kCmdI2cRead, from).size();
    });

    f.cbRead_Click(0x49);

    EXPECT_TRUE(heldAt1);
    EXPECT_EQ(readsAt1, 0u);
    EXPECT_EQ(reportsOf(kCmdI2cRead, from).size(), 1u);
    EXPECT_FALSE(p().I2CBusy);
}

TEST_F(RegisterSideTest, NoBoardSaysNotConnectedAndReadsNothing)
{
    p().link();
    board().faults.unplugged = true;
    auto& f = launch();
    rt.clearBoxes();
    f.tbRegdata[0x49].Text = "FF";

    f.cbRead_Click(0x49);
    f.cbWrite_Click(0x49);

    ASSERT_EQ(rt.boxes().size(), 2u);
    EXPECT_EQ(rt.boxes()[0].prompt, "USB Device not connected!");
    EXPECT_EQ(rt.boxes()[1].prompt, "USB Device not connected!");
    EXPECT_EQ(f.tbRegdata[0x49].Text.get(), "FF");
    EXPECT_FALSE(p().I2CBusy);
    EXPECT_FALSE(p().XbarEnabled);
}

TEST_F(RegisterSideTest, MemoryModesWriteRegister89AndSwitchI2cOnFirst)
{
    auto& f = launch();
    f.mnuDisableI2C_Click();
    ASSERT_FALSE(p().XbarEnabled);
    const std::size_t from = board().log.size();

    f.cbEnableRAM();

    EXPECT_TRUE(p().XbarEnabled);
    ASSERT_GE(board().log.size(), from + 2);
    EXPECT_EQ(board().log[from][1], kCmdSfrWrite);  // crossbar on before the mode write
    const auto writes = reportsOf(kCmdI2cWrite, from);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0][4], 0x89);
    EXPECT_EQ(writes[0][5], 0x00);

    f.cbTrimEEEnable_Click();
    EXPECT_EQ(board().chip().peek(0x89), chipreg::kTrimAccessKey + 1);
    EXPECT_EQ(f.cbTrimEEEnable.BackColor.get(), vb::kRunning);
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kButtonFace);
    f.cbEEPROMEnable_Click();
    EXPECT_EQ(board().chip().peek(0x89), chipreg::kModeConfigEeprom);
}

TEST_F(RegisterSideTest, ShuntFileIsReadAtLoadAndWrittenBack)
{
    folder.write("Current_Sense.txt", "Shunt Value:  2.5 \r\nsecond line\r\n");
    auto& f = launch();
    EXPECT_EQ(f.VCELL[21].Text.get(), "2.5");

    f.VCELL[21].Text = " 0.75";
    f.cmdISetup_Click();
    EXPECT_EQ(folder.read("Current_Sense.txt"), "Shunt Value: 0.75\r\n");

    // Text the next load would refuse does not replace the saved value.
    f.VCELL[21].Text = "abc";
    f.cmdISetup_Click();
    EXPECT_EQ(folder.read("Current_Sense.txt"), "Shunt Value: 0.75\r\n");
    EXPECT_EQ(rt.boxes().back().icon, ui::vbExclamation);
}

TEST_F(RegisterSideTest, ShuntFileTakesEveryNumberTheCurrentCanUse)
{
    // The load and the current read numbers alike, exponent "D" included.
    folder.write("Current_Sense.txt", "Shunt Value: 25D-1\r\n");
    auto& f = launch();
    EXPECT_EQ(f.VCELL[21].Text.get(), "25D-1");
    f.cmdISetup_Click();
    EXPECT_EQ(folder.read("Current_Sense.txt"), "Shunt Value: 25D-1\r\n");
}

class ShuntFileTextTest : public FormsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShuntFileTextTest, UnreadableShuntGivesDefault)
{
    folder.write("Current_Sense.txt", GetParam());
    auto& f = launch();
    EXPECT_EQ(f.VCELL[21].Text.get(), "1.0");
}

INSTANTIATE_TEST_SUITE_P(RegisterSideShunt, ShuntFileTextTest,
    ::testing::Values("Shunt Value: abc\r\n", "2.5\r\n", "", "Shunt Value: 2.5 mOhm\r\n", "Shunt Value:\r\n",
        "Shunt Value: -2\r\n", "Shunt Value: 0\r\n", "Shunt Value: 1e-300\r\n"));

// A shunt must be a positive number the current can be computed with: a
// negative one, zero or 1e-300 (a 307-digit current) is not saved.
TEST_F(RegisterSideTest, ShuntThatIsNoPositiveSaneNumberIsNotSaved)
{
    folder.write("Current_Sense.txt", "Shunt Value: 2.5\r\n");
    auto& f = launch();
    for (const char* text : {"-1", "0", "1e-300"}) {
        SCOPED_TRACE(text);
        rt.clearBoxes();
        f.VCELL[21].Text = text;
        f.cmdISetup_Click();
        EXPECT_EQ(folder.read("Current_Sense.txt"), "Shunt Value: 2.5\r\n");
        ASSERT_EQ(rt.boxes().size(), 1u);
        EXPECT_EQ(rt.boxes()[0].prompt,
            "The shunt value \"" + std::string(text) + "\" is not a shunt in milliohms (a number of at least 0.001).");
    }
    f.VCELL[21].Text = "0.001";
    f.cmdISetup_Click();
    EXPECT_EQ(folder.read("Current_Sense.txt"), "Shunt Value: 0.001\r\n");
}

TEST_F(RegisterSideTest, AutoScanIntervalFollowsRateAndIdleRateChangeStartsNothing)
{
    auto& f = launch();
    f.cbAutorate.Text = "5";
    EXPECT_EQ(f.Timer2.Interval.get(), 0);  // idle: no ticks yet

    f.cbAutoScan_Click();
    EXPECT_EQ(f.Timer2.Interval.get(), 5000);
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan STOP");
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kRunning);
    EXPECT_FALSE(f.cbReadV.Enabled.get());
    EXPECT_TRUE(p().AutoScanActive);

    f.cbAutorate.Text = "60";
    EXPECT_EQ(f.Timer2.Interval.get(), 60000);
    f.cbAutorate.Text = "Min";
    EXPECT_EQ(f.Timer2.Interval.get(), 20);
    f.cbAutorate.Text = "0";  // would never tick, so a stop could never complete
    EXPECT_EQ(f.Timer2.Interval.get(), 20);
    // A typed rate gives its own interval, faster than "Min" too.
    f.cbAutorate.Text = "0.001";
    EXPECT_EQ(f.Timer2.Interval.get(), 1);
    f.cbAutorate.Text = "0.019";
    EXPECT_EQ(f.Timer2.Interval.get(), 19);
    f.cbAutorate.Text = "0.0001";  // below a millisecond: every ms
    EXPECT_EQ(f.Timer2.Interval.get(), 1);
    for (const char* minRate : {"abc", "-1", ""}) {
        f.cbAutorate.Text = minRate;
        EXPECT_EQ(f.Timer2.Interval.get(), 20) << minRate;
    }

    f.cbAutoScan_Click();
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan START");
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kRunning);  // until the next tick
    EXPECT_TRUE(f.Timer2.Enabled.get());
    EXPECT_FALSE(p().AutoScanActive);
}

TEST_F(RegisterSideTest, SyncTickClearsUcDoesScanBit)
{
    auto& f = launch();
    f.cbuCControl4[2].Value = 1;
    ASSERT_EQ(board().chip().peek(0x87) & 0x04, 0x04);

    f.ChkSyncuPdoescan.Value = 1;

    EXPECT_EQ(f.cbuCControl4[2].Value.get(), 0);
    EXPECT_EQ(board().chip().peek(0x87) & 0x04, 0);
}

TEST_F(RegisterSideTest, PackTransferShowsBusyAndIgnoresTheOtherMeanwhile)
{
    auto& f = launch();
    const std::size_t from = board().log.size();
    std::string captionDuring;
    rt.after(3, [&] {
        captionDuring = f.cbReadPack.Caption.get();
        f.cbWritePack_Click();  // served from inside the read's pumping
        f.cbReadPack_Click();
    });

    f.cbReadPack_Click();

    EXPECT_EQ(captionDuring, "Busy");
    EXPECT_EQ(f.cbReadPack.Caption.get(), "Read Config");
    EXPECT_EQ(f.cbWritePack.Caption.get(), "Write Config");
    EXPECT_TRUE(reportsOf(kCmdI2cWrite, from).empty());
    const auto reads = reportsOf(kCmdI2cRead, from);
    ASSERT_EQ(reads.size(), 0x50u);
    for (int r = 0; r < 0x50; ++r)
        EXPECT_EQ(reads[static_cast<std::size_t>(r)][5], r);

    const std::size_t before = board().log.size();
    f.tbRegdata[0x00].Text = "2B";
    f.cbWritePack_Click();
    EXPECT_EQ(reportsOf(kCmdI2cWrite, before).size(), 0x50u);
    EXPECT_EQ(board().chip().peek(0x00), 0x2B);
    EXPECT_EQ(f.cbWritePack.Caption.get(), "Write Config");
}

TEST_F(RegisterSideTest, ReadAllRamFillsResultRegisters)
{
    auto& f = launch();
    const std::size_t from = board().log.size();
    f.cbReadAllRAM_Click();
    const auto reads = reportsOf(kCmdI2cRead, from);
    ASSERT_GE(reads.size(), static_cast<std::size_t>(0xAB - 0x80 + 1));
    for (int r = 0x80; r <= 0xAB; ++r)
        EXPECT_EQ(reads[static_cast<std::size_t>(r - 0x80)][5], r);
    for (int r = 0x80; r <= 0xAB; ++r)
        EXPECT_EQ(f.tbRegdata[r].Text->size(), 2u) << r;
}

}  // namespace
