// The current calculator: the 12-bit current-sense pair, the gain field and
// the shunt give the current in the chip form's current box.
#include "ADFormFixture.h"
#include "regmap/ChipRegisters.h"

namespace {

using adutil_test::ADFormTest;

class CurrentCalcTest : public ADFormTest {
protected:
    chip::KVN58C3_Main& main() { return p().form<chip::KVN58C3_Main>(); }
    // The register image as a 12-bit run leaves it, then the calculation.
    void calculate(const char* monitor, const char* high, const char* low, const char* shunt)
    {
        main().tbRegdata[chipreg::kMonitor].Text = monitor;
        main().tbRegdata[chipreg::kCurrentSense + 1].Text = high;
        main().tbRegdata[chipreg::kCurrentSense].Text = low;
        main().VCELL[21].Text = shunt;
        form().cmdCalCurrent_Click();
    }
    std::string sense() { return ad->txtCalcCurrent[2].Text.get(); }
    std::string current() { return main().VCELL[19].Text.get(); }
};

TEST_F(CurrentCalcTest, BeforeAnyTwelveBitRunOnlyTheGainShows)
{
    form();
    const std::string before = current();
    calculate("30", "0F", "FF", "1.0");
    EXPECT_EQ(ad->txtCalcCurrent[0].Text.get(), "500");
    EXPECT_EQ(sense(), "");
    EXPECT_EQ(current(), before);
}

TEST_F(CurrentCalcTest, SenseVoltageFromThePairAndGainThenCurrentFromTheShunt)
{
    form().run.AcqStarted = true;  // as a 12-bit run leaves it
    // 0x0FFF at gain 50: 36.000 mV, shown until a zero shunt stops the division.
    calculate("00", "0F", "FF", "0");
    EXPECT_EQ(ad->txtCalcCurrent[0].Text.get(), "50");
    EXPECT_EQ(sense(), "36.000");
    EXPECT_EQ(current(), "ERR");
    // 1.0 milliohm: mA is a thousand times mV.
    calculate("00", "0F", "FF", "1.0");
    EXPECT_EQ(current(), "36000.000");
    EXPECT_EQ(sense(), "36000.000");
    // Gain 5: 2048 / 5 x 1800 / 4095 = 180.044 mV over 2.5 milliohm.
    calculate("10", "08", "00", "2.5");
    EXPECT_EQ(ad->txtCalcCurrent[0].Text.get(), "5");
    EXPECT_EQ(current(), "72017.600");
    // Both upper gain fields are 500; the monitor's channel bits do not count.
    calculate("79", "01", "23", "1.0");
    EXPECT_EQ(ad->txtCalcCurrent[0].Text.get(), "500");
    EXPECT_EQ(current(), "256.000");
    calculate("20", "01", "23", "1.0");
    EXPECT_EQ(current(), "256.000");
    // No sign here: a high byte past 12 bits reads as a large positive code.
    calculate("00", "3F", "FF", "1.0");
    EXPECT_EQ(current(), "144026.000");
}

TEST_F(CurrentCalcTest, AShuntTextThatIsNotANumberGivesNoCurrent)
{
    form().run.AcqStarted = true;
    calculate("00", "00", "64", "abc");
    EXPECT_EQ(sense(), "0.879");
    EXPECT_EQ(current(), "ERR");
    EXPECT_TRUE(rt.boxes().empty());
}

TEST_F(CurrentCalcTest, AfterAFourteenBitRunStartedOnlyTheGainShows)
{
    runChannel(3, 2);
    const std::string before = current();
    calculate("10", "0F", "FF", "1.0");
    EXPECT_EQ(ad->txtCalcCurrent[0].Text.get(), "5");
    EXPECT_EQ(current(), before);
}

}  // namespace
