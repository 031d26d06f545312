// The listener query form: finds the listeners, asks each for its identity,
// and ends the program with its own report when a bus call fails.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "instruments/Test.h"

namespace {

using insttest::Station;

struct Query : Station {
    Query()
    {
        bus().detachAll();
        bus().attach(sim::InstrumentKind::Supply, 5);
        bus().attach(sim::InstrumentKind::Counter, 22);
    }
};

TEST(ListenerQuery, FormLoadsWithItsCaptionAndClearsTheRegistration)
{
    Query q;
    q.gpib().g.GpibGlobalsRegistered = 1;
    auto& t = q.p().form<instruments::Test>();
    EXPECT_EQ(t.Caption.get(), "488.2 Query");
    EXPECT_EQ(t.RunRepeat.Caption.get(), "Run");
    EXPECT_EQ(t.Label2.Caption.get(), "STOPPED");
    EXPECT_EQ(q.gpib().g.GpibGlobalsRegistered, 0);
    t.Info.userClick();
    ASSERT_EQ(q.rt.boxes().size(), 1u);
    EXPECT_EQ(q.rt.boxes()[0].prompt,
        "This form queries a device using the '*IDN?' command to read back the identification code.");
    EXPECT_EQ(q.rt.boxes()[0].icon, ui::vbInformation);
    EXPECT_EQ(q.rt.boxes()[0].title, q.rt.appTitle);
}

TEST(ListenerQuery, ListsTheAnswersOfTheListenersAtFiveAndTwentyTwo)
{
    Query q;
    auto& t = q.p().form<instruments::Test>();
    t.ReadingsList.AddItem("old");
    t.RunRepeat.userClick();
    const auto& items = t.ReadingsList.List();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0], "Finding all listeners on the bus...");
    EXPECT_EQ(items[1], "Number of instruments found =  2");
    EXPECT_EQ(items[2], "");
    const std::string supplyId = "HP,E3631A,0,2.1-5.0-1.0\n";
    const std::string counterId = "HP,53131A,0,4613\n";
    EXPECT_EQ(items[3], " 1 " + supplyId + std::string(50 - supplyId.size(), ' '));
    EXPECT_EQ(items[4], " 2 " + counterId + std::string(50 - counterId.size(), ' '));
    EXPECT_TRUE(t.QuitButton.Enabled);
    EXPECT_EQ(q.rt.screenMousePointer(), ui::vbDefault);

    const auto receives = q.bus().calls("Receive");
    ASSERT_EQ(receives.size(), 2u);
    EXPECT_EQ(receives[0].args, "0,5,50,256");
    EXPECT_EQ(receives[1].args, "0,22,50,256");
    EXPECT_EQ(q.bus().calls("SendList")[0].args, "0,5,22;1");
    EXPECT_EQ(q.bus().calls("ibonl").back().args, "0,0");
    EXPECT_FALSE(q.rt.ended());
}

TEST(ListenerQuery, NoListenerGivesACountOfZeroAndNoReplyLines)
{
    Query q;
    q.bus().detachAll();
    auto& t = q.p().form<instruments::Test>();
    // Nobody to send "*IDN?" to: the library reports no listener.
    EXPECT_THROW(t.RunRepeat.userClick(), ui::ProgramEnded);
    ASSERT_GE(t.ReadingsList.ListCount(), 3);
    EXPECT_EQ(t.ReadingsList.List(1), "Number of instruments found =  0");
    EXPECT_EQ(t.ReadingsList.ListCount(), 3);
    EXPECT_TRUE(q.bus().calls("Receive").empty());
    ASSERT_EQ(q.rt.boxes().size(), 1u);
    EXPECT_EQ(q.rt.boxes()[0].prompt.rfind("Error sending '*IDN?'. \r\nibsta = &H8", 0), 0u);
}

TEST(ListenerQuery, FailedReceiveEndsWithTheStatusErrorAndCountLines)
{
    Query q;
    auto& t = q.p().form<instruments::Test>();
    q.bus().failNext("Receive", gpib::EABO, gpib::TIMO | gpib::CMPL);
    EXPECT_THROW(t.RunRepeat.userClick(), ui::ProgramEnded);
    ASSERT_EQ(q.rt.boxes().size(), 1u);
    const auto& box = q.rt.boxes()[0];
    EXPECT_EQ(box.prompt,
        "Error in receiving response to '*IDN?'. "
        "\r\nibsta = &HC100 < ERR TIMO CMPL>"
        "\r\niberr = EABO <Op. aborted>"
        "\r\nibcnt = 0x0"
        "\r\rI'm quitting!");
    EXPECT_EQ(box.icon, ui::vbExclamation);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(q.bus().calls("ibonl").back().args, "0,0");
    EXPECT_FALSE(t.QuitButton.Enabled);
    EXPECT_TRUE(q.rt.ended());
}

TEST(ListenerQuery, ReportTextsForStatusWithoutErrorAndUnknownCodes)
{
    EXPECT_EQ(instruments::gpibErrorText(0x0100, 6), "\r\niberr =  6");
    EXPECT_EQ(instruments::gpibErrorText(static_cast<std::int16_t>(0x8000), 9), "\r\n");
    EXPECT_EQ(instruments::gpibStatusText(0x0130), "\r\nibsta = &H130 < CMPL CIC ATN>");
    EXPECT_EQ(instruments::gpibCountText(-25536), "\r\nibcnt = 0x9C40");
}

TEST(ListenerQuery, QuitEndsTheProgram)
{
    Query q;
    EXPECT_THROW(q.p().form<instruments::Test>().QuitButton.userClick(), ui::ProgramEnded);
    EXPECT_TRUE(q.rt.ended());
}

}  // namespace
