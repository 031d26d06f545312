// Random bytes as a configuration file and as instrument replies: the reader
// neither crashes nor hangs, and the buffers keep their lengths.
#include <gtest/gtest.h>

#include <random>

#include "InstTestSupport.h"
#include "instruments/Test.h"
#include "instruments/frmInst.h"

namespace {

using insttest::Station;

std::string randomBytes(std::mt19937& rng, std::size_t maxLength, std::size_t minLength = 0)
{
    // Weighted towards the characters the parsers act on.
    static const std::string special = ",\"\r\n EOF\t";
    std::uniform_int_distribution<std::size_t> len(minLength, maxLength);
    std::uniform_int_distribution<int> byte(0, 255), pick(0, 3);
    std::string s(len(rng), '\0');
    for (char& c : s)
        c = pick(rng) == 0 ? special[static_cast<std::size_t>(byte(rng)) % special.size()]
                           : static_cast<char>(byte(rng));
    return s;
}

TEST(GpibFuzz, AnyBytesAsAConfigurationFile)
{
    Station s;
    auto& f = s.p().form<instruments::frmInst>();
    std::mt19937 rng(20261207);
    for (int i = 0; i < 400; ++i) {
        f.cdldialog.FileName = s.dir.write("fuzz.csv", randomBytes(rng, i % 2 ? 64 : 2000));
        f.Read_Instrument_FIle();
        ASSERT_EQ(f.Grid1.Rows(), 30);
        ASSERT_EQ(f.Grid1.Cols(), 4);
        ASSERT_FALSE(s.rt.files().isOpen(1));
    }
    EXPECT_TRUE(s.rt.boxes().empty());
}

TEST(GpibFuzz, AnyBytesAsAnInstrumentReply)
{
    Station s;
    auto& g = s.gpib();
    const auto ud = g.ibdev(0, 3, 0, 12, 1, 0);
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        s.bus().instrument(3)->clear();
        s.bus().instrument(3)->queueOutput(randomBytes(rng, i % 3 ? 40 : 3000));
        g.ibrd(ud, g.g.GpibReadBuffer, 1024);
        ASSERT_EQ(g.g.GpibReadBuffer.size(), 1024u);
        ASSERT_LE(g.g.ibcntl, 1024);
        for (int lineEnd : {1, 2}) {
            const std::string reply = g.g.reply(lineEnd);
            ASSERT_LE(reply.size(), 1024u);
        }
    }
}

// Answers every message with random bytes.
class Babbler : public sim::GpibInstrument {
public:
    Babbler(int address, std::mt19937& rng) : GpibInstrument(address, 1), rng_(rng) {}
    sim::InstrumentKind kind() const override { return sim::InstrumentKind::Meter; }

protected:
    void handle(std::string_view) override { queueOutput(randomBytes(rng_, 120, 1)); }

private:
    std::mt19937& rng_;
};

TEST(GpibFuzz, AnyBytesAsAnIdentityReplyOfTheQueryForm)
{
    Station s;
    std::mt19937 rng(11);
    s.bus().detachAll();
    s.bus().attach(std::make_unique<Babbler>(9, rng));
    auto& t = s.p().form<instruments::Test>();
    for (int i = 0; i < 100; ++i) {
        t.RunRepeat_Click();
        ASSERT_EQ(t.ReadingsList.ListCount(), 4);
        ASSERT_EQ(t.ReadingsList.List(3).size(), 53u);
    }
    EXPECT_FALSE(s.rt.ended());
}

}  // namespace
