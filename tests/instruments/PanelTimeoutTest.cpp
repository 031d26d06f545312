// An instrument that stops answering: each panel's first transfer with it
// runs into the 3 s time-out, the error report names the step, the unit goes
// offline and the program ends with its files closed.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

struct Case {
    const char* panel;
    int address;
    // Set-up that works while the unit answers.
    std::function<void(instruments::frmInst&)> before;
    std::function<void(instruments::frmInst&)> click;
    const char* report;
};

void nothing(instruments::frmInst&) {}

const Case kCases[] = {
    {"counter init", 3, nothing, [](auto& f) { f.cmd53141Init.userClick(); }, "Unable to clear 53131 device"},
    {"counter read", 3, [](auto& f) { f.cmd53141Init.userClick(); }, [](auto& f) { f.xms53131_4.userClick(); },
        "Unable to write to device"},
    {"supply init", 5, nothing, [](auto& f) { f.cmdInitAuxPS.userClick(); }, "Unable to clear device E3631"},
    {"supply send", 5, [](auto& f) { f.cmdInitAuxPS.userClick(); }, [](auto& f) { f.cmdSendAuxPSCommand.userClick(); },
        "Unable to write to device"},
    {"meter set-up", 22, [](auto& f) { f.txtDVMAddress[5].Text = "22"; },
        [](auto& f) { f.cmdDVMSetOhm[5].userClick(); }, "Unable to write to device"},
    {"meter sample", 22,
        [](auto& f) {
            f.txtDVMAddress[5].Text = "22";
            f.cmdDVMSetDC[5].userClick();
        },
        [](auto& f) { f.cmdDVMGetMeas[5].userClick(); }, "Unable to read from device"},
    {"smu set-up", 17, nothing, [](auto& f) { f.cmdSetIVMODE[3].userClick(); }, "Unable to write to device"},
    {"smu sample", 17, [](auto& f) { f.cmdSetVIMODE[3].userClick(); }, [](auto& f) { f.cmdVIDOMeas[3].userClick(); },
        "Unable to write to device"},
    {"switch init", 10, nothing, [](auto& f) { f.cmdSWINIT.userClick(); }, "Unable to clear device HP3488 SWITCH BOX"},
};

TEST(PanelTimeout, EveryPanelReportsTheTimeoutAndEndsWithFilesClosed)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.panel);
        insttest::Station s;
        auto& f = s.p().form<instruments::frmInst>();
        c.before(f);
        ASSERT_TRUE(s.rt.boxes().empty());

        ui::FileTable& files = s.rt.files();
        const int n = files.FreeFile();
        ASSERT_TRUE(files.Open(n, s.dir.file("log.txt"), ui::OpenMode::Output));
        files.Print(n, "before");

        s.unit(c.address).hung = true;
        const long long start = s.rt.now();
        EXPECT_THROW(c.click(f), ui::ProgramEnded);
        EXPECT_GE(s.rt.now() - start, 3000);
        EXPECT_LE(s.rt.now() - start, 3001);  // Sample lets events run once
        EXPECT_EQ(s.lastBox(), std::string(c.report) + "\ribsta = &HC100\riberr = 6 <EABO>");
        EXPECT_EQ(s.rt.boxes().back().title, "Error");
        EXPECT_EQ(s.bus().log().back().name, "ibonl");
        EXPECT_EQ(s.bus().log().back().args, std::to_string(s.gpib().g.CurrentDevice) + ",0");
        EXPECT_TRUE(s.rt.ended());
        EXPECT_FALSE(files.isOpen(n));
        std::ifstream in(s.dir.file("log.txt"));
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line, "before\r");
    }
}

}  // namespace
