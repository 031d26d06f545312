// The instrument configuration file: its field rules, its records and what
// reaches the grid and the panels; and the start-up's instrument station.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "InstTestSupport.h"
#include "bridge/frmMainF340.h"
#include "instruments/InstrumentStation.h"
#include "instruments/frmInst.h"

namespace {

using insttest::Station;

// Record r of a file where every record is "Kind r","addr","x","Desc r".
std::string records(int n, int firstAddress = 10)
{
    std::string s;
    for (int r = 0; r < n; ++r)
        s += "Kind " + std::to_string(r) + "," + std::to_string(firstAddress + r) + ",x,Desc " + std::to_string(r) +
            "\r\n";
    return s;
}

struct Config : Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    void read(const std::string& bytes)
    {
        f.cdldialog.FileName = dir.write("inst.csv", bytes);
        f.Read_Instrument_FIle();
    }
};

TEST(InstConfigFile, TwentySixRecordsWithoutEofAreReadAndApplied)
{
    Config c;
    c.read(records(27));  // the 27th is ignored
    EXPECT_EQ(c.f.Grid1.TextMatrix(25, 0), "Kind 25");
    EXPECT_EQ(c.f.Grid1.TextMatrix(25, 3), "Desc 25");
    EXPECT_EQ(c.f.Grid1.TextMatrix(26, 0), "");
    EXPECT_EQ(c.f.txtVIAddress[0].Text.get(), "13");
    EXPECT_EQ(c.f.FrVIContol[4].Caption.get(), "VI# 5 Desc 7");
    EXPECT_EQ(c.f.txtDVMAddress[0].Text.get(), "21");
    EXPECT_EQ(c.f.frDVMSet[8].Caption.get(), "VM# 9 Desc 19");
    EXPECT_EQ(c.f.lblInstConfigFIle.Caption.get(), c.dir.file("inst.csv"));
    EXPECT_FALSE(c.rt.files().isOpen(1));
    EXPECT_TRUE(c.rt.boxes().empty());
}

TEST(InstConfigFile, EofFirstClearsTheGridAndBlanksEveryPanel)
{
    Config c;
    c.read(records(20) + "EOF\r\n");
    ASSERT_EQ(c.f.txtVIAddress[0].Text.get(), "13");
    c.read("EOF,,,\r\n" + records(20));
    for (int r = 0; r < 30; ++r)
        EXPECT_EQ(c.f.Grid1.TextMatrix(r, 0), "");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(c.f.txtVIAddress[i].Text.get(), "");
        EXPECT_EQ(c.f.FrVIContol[i].Caption.get(), "VI# " + std::to_string(i + 1) + " ");
    }
    EXPECT_EQ(c.f.txtDVMAddress[8].Text.get(), "");
    EXPECT_EQ(c.f.frDVMSet[8].Caption.get(), "VM# 9 ");
}

TEST(InstConfigFile, OnlyCapitalEofEndsTheFile)
{
    Config c;
    c.read("eof,1,2,3\r\n" + records(3) + "EOF\r\n");
    EXPECT_EQ(c.f.Grid1.TextMatrix(0, 0), "eof");
    EXPECT_EQ(c.f.Grid1.TextMatrix(3, 0), "Kind 2");
    EXPECT_EQ(c.f.txtVIAddress[0].Text.get(), "12");  // applied: the file ended at "EOF"
    EXPECT_EQ(c.f.txtVIAddress[1].Text.get(), "");
}

TEST(InstConfigFile, FifthRecordSetsTheSecondSourceMeasurePanel)
{
    Config c;
    c.read(records(4) + "SMU, 16, x, Keithley 236 B\r\nEOF\r\n");
    EXPECT_EQ(c.f.txtVIAddress[1].Text.get(), "16");
    EXPECT_EQ(c.f.FrVIContol[1].Caption.get(), "VI# 2 Keithley 236 B");
}

TEST(InstConfigFile, RecordsRunAcrossLineBreaksAndQuotesKeepCommas)
{
    Config c;
    c.read("a,b,c\r\nd,e,f,g\r\n\"SMU, spare\",\" 14 \",x,\"Keithley, front\"\nEOF");
    EXPECT_EQ(c.f.Grid1.TextMatrix(0, 3), "d");
    EXPECT_EQ(c.f.Grid1.TextMatrix(1, 0), "e");
    EXPECT_EQ(c.f.Grid1.TextMatrix(1, 2), "g");
    EXPECT_EQ(c.f.Grid1.TextMatrix(1, 3), "SMU, spare");
    EXPECT_EQ(c.f.Grid1.TextMatrix(2, 0), " 14 ");
    EXPECT_EQ(c.f.Grid1.TextMatrix(2, 2), "Keithley, front");
    EXPECT_EQ(c.f.Grid1.TextMatrix(3, 0), "");
}

TEST(InstConfigFile, MissingFileShowsItsNameAndChangesNothingElse)
{
    Config c;
    c.read(records(20) + "EOF\r\n");
    c.f.cdldialog.FileName = c.dir.file("absent.csv");
    c.f.Read_Instrument_FIle();
    EXPECT_EQ(c.f.lblInstConfigFIle.Caption.get(), c.dir.file("absent.csv"));
    EXPECT_EQ(c.f.Grid1.TextMatrix(5, 0), "Kind 5");
    EXPECT_EQ(c.f.txtVIAddress[0].Text.get(), "13");
    EXPECT_TRUE(c.rt.boxes().empty());
}

TEST(InstConfigFile, FileEndingEarlyKeepsThePartialGridAndThePanels)
{
    Config c;
    c.read(records(12, 40) + "Partial,55");
    EXPECT_EQ(c.f.Grid1.TextMatrix(11, 0), "Kind 11");
    EXPECT_EQ(c.f.Grid1.TextMatrix(12, 0), "Partial");
    EXPECT_EQ(c.f.Grid1.TextMatrix(12, 1), "55");
    EXPECT_EQ(c.f.txtVIAddress[0].Text.get(), "14");  // design texts stay
    EXPECT_EQ(c.f.FrVIContol[0].Caption.get(), "VI Control 1");
    EXPECT_FALSE(c.rt.files().isOpen(1));

    c.read(records(12, 40));  // ends exactly at a record boundary
    EXPECT_EQ(c.f.txtVIAddress[0].Text.get(), "14");
}

TEST(InstConfigFile, ReadingLeavesOtherNumberedFilesOpen)
{
    Config c;
    const std::string log = c.dir.file("log.txt");
    ASSERT_TRUE(c.rt.files().Open(1, log, ui::OpenMode::Output));
    c.read(records(20) + "EOF\r\n");
    EXPECT_TRUE(c.rt.files().isOpen(1));
    EXPECT_EQ(c.f.txtVIAddress[0].Text.get(), "13");
}

TEST(InstConfigFile, ChosenFileIsRead)
{
    Config c;
    c.rt.chooseFile(c.dir.write("chosen.csv", records(4) + "SMU,17,x,Chosen\r\nEOF"));
    c.f.cmdloadInstConfig.userClick();
    EXPECT_EQ(c.f.txtVIAddress[1].Text.get(), "17");
    EXPECT_EQ(c.f.lblInstConfigFIle.Caption.get(), c.dir.file("chosen.csv"));
}

TEST(InstStartup, StationLoadsTheDefaultFileAndShowsTheFormWithTheBridge)
{
    Station s;
    const auto shipped = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
        "app/folder/Instruments_Default.CSV";
    ASSERT_TRUE(std::filesystem::exists(shipped)) << shipped;
    std::filesystem::copy_file(shipped, s.dir.path / "Instruments_Default.CSV");

    s.gpib().g.CounterDevices[0] = 7;
    instruments::resetGpibDeviceTables(s.p());
    EXPECT_EQ(s.gpib().g.CounterDevices[0], -5);
    EXPECT_FALSE(s.p().hasForm<instruments::frmInst>());

    instruments::startInstrumentStation(s.p());
    auto& f = s.p().form<instruments::frmInst>();
    EXPECT_TRUE(s.p().InstrumentsLoaded);
    EXPECT_TRUE(f.Visible);
    EXPECT_TRUE(s.p().form<bridge::frmMainF340>().Visible);
    EXPECT_EQ(f.cdldialog.FileName, s.dir.file("Instruments_Default.CSV"));
    const char* viAddresses[5] = {"14", "16", "16", "17", "18"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.txtVIAddress[i].Text.get(), viAddresses[i]);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(f.txtDVMAddress[i].Text.get(), std::to_string(22 + i));
    EXPECT_EQ(f.FrVIContol[0].Caption.get(), "VI# 1 Keithley 236 A");
    EXPECT_EQ(f.txtVI228String[0].Text.get(), "B16.53,3,X");  // the form loaded before the file was read
    EXPECT_TRUE(s.rt.boxes().empty());
}

// A configuration file that is not a regular file is an unreadable file: the
// start neither blocks (FIFO), nor eats memory (/dev/zero), nor ends (directory).
TEST(InstStartup, AConfigurationFileThatIsNoRegularFileIsUnreadable)
{
    for (const char* kind : {"fifo", "directory", "zero"}) {
        SCOPED_TRACE(kind);
        Station s;
        const auto file = s.dir.path / "Instruments_Default.CSV";
        if (std::string(kind) == "fifo")
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else if (std::string(kind) == "directory")
            std::filesystem::create_directory(file);
        else
            std::filesystem::create_symlink("/dev/zero", file);
        instruments::startInstrumentStation(s.p());
        auto& f = s.p().form<instruments::frmInst>();
        EXPECT_TRUE(f.Visible);
        EXPECT_EQ(f.txtVIAddress[0].Text.get(), "14");  // design texts stay
        EXPECT_EQ(f.FrVIContol[0].Caption.get(), "VI Control 1");
        EXPECT_EQ(f.lblInstConfigFIle.Caption.get(), file.string());
        EXPECT_FALSE(s.rt.files().isOpen(1));
        EXPECT_TRUE(s.rt.boxes().empty());
    }
}

}  // namespace
