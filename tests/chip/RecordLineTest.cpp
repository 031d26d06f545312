// The recording log's header and record lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "chip/RecordLine.h"

namespace {

using namespace chip;

TEST(RecordLogLine, HeaderIsExact)
{
    EXPECT_EQ(recordHeader(),
        "Date         Time\tVCMin\tVCMax\tPackI\t VC1\t VC2\t VC3\t VC4\t VC5\t VC6\t VC7\t VC8\t iT\txT1\t xT2\t"
        "PCFET\tCFET\tDFET\tOV\tOVLO\tUV\tUVLO\tDOT\tDUT\tCOT\tCUT\tIOT\tCOC\tDOC\tDSC\tCF\tOPEN\t\tEOCH\t"
        "LDPR\tCHPR\tCHNG\tDSCG\t\t\t\tLVCH\tCBOT\tCBUT\tCBOV\tCBUV\tIDLE\tDOZE\tSLP");
}

TEST(RecordLogLine, RecordHas49FieldsAndRedOrGreenMeansSet)
{
    RecordSnapshot s;
    s.dateTime = "12/7/2026   9:30:00 AM";
    const std::string texts[kRecordedReadings] = {
        "3.500", "3.600", ".123", "3.5", "3.6", "3.5", "3.5", "3.5", "3.5", "3.5", "3.5", "1.5", "25.0", "ERR"};
    for (int i = 0; i < kRecordedReadings; ++i)
        s.readings[i] = texts[i];
    s.fets = {vb::kGreen, vb::kRed, vb::kGreen};
    s.indicators.fill(vb::kWhite);
    s.indicators[0] = vb::kRed;
    s.indicators[16] = vb::kGreen;
    s.indicators[30] = vb::kGreen;
    const std::string line = recordLine(s);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), kRecordFields - 1);
    EXPECT_EQ(line.substr(0, line.find('\t')), s.dateTime);
    // FET fields then 31 status fields.
    const std::string tail = line.substr(line.find("\tERR\t") + 5);
    EXPECT_EQ(
        tail, "1\t0\t1\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1");
}

TEST(RecordLogLine, AFieldNeverCarriesATabOrALineBreak)
{
    RecordSnapshot s;
    s.dateTime = "12/7/2026\t9:30";
    s.readings.fill("3.5");
    s.readings[3] = "3.5\t3.6\r\nx\n";
    s.indicators.fill(vb::kWhite);
    const std::string line = recordLine(s);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), kRecordFields - 1);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(line.find("\t3.5 3.6  x \t"), std::string::npos) << line;
    EXPECT_EQ(line.substr(0, line.find('\t')), "12/7/2026 9:30");
}

}  // namespace
