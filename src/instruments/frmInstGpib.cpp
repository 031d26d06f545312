// The GPIB conventions every panel of the instrument form follows: the address
// box, opening a unit on first use, the tested write, the read and its reply,
// and the error reports.
#include "instruments/frmInst.h"

#include "gpib/GpibErrors.h"
#include "gpib/Vbib32.h"
#include "vb/Numbers.h"

namespace instruments {

namespace {

constexpr std::int16_t kBoard = 0;
constexpr std::int16_t kTimeout3s = 12;
constexpr std::int16_t kSendEoi = 1;
// Every read asks for as much as the read buffer holds.
constexpr auto kReadCount = static_cast<std::int32_t>(gpib::kReadBufferLength);

}  // namespace

std::int16_t frmInst::unitAddress(const ui::TextBox& box) { return vb::CInt(vb::Val(box.Text.get())); }

std::int16_t frmInst::openUnit(std::int16_t address)
{
    return p.gpib().ibdev(kBoard, address, 0, kTimeout3s, kSendEoi, 0);
}

void frmInst::selectUnit(std::int16_t& unit, std::int16_t address, std::string_view openFailure)
{
    gpib::Vbib32& gpib = p.gpib();
    if (unit == gpib::kNotOpened) {
        unit = openUnit(address);
        if (gpib.g.failed() && !openFailure.empty())
            ShowOpenFailure(openFailure);
    }
    gpib.g.CurrentDevice = unit;
}

void frmInst::writeCommandTo(std::int16_t unit, std::string_view command)
{
    gpib::Vbib32& gpib = p.gpib();
    gpib.ibwrt(unit, command, static_cast<std::int32_t>(command.size()));
    if (gpib.g.failed())
        ShowGpibError("Unable to write to device");
}

void frmInst::writeCommand(std::string_view command) { writeCommandTo(p.gpib().g.CurrentDevice, command); }

void frmInst::writeUntested(std::int16_t unit, std::string_view command)
{
    p.gpib().ibwrt(unit, command, static_cast<std::int32_t>(command.size()));
}

void frmInst::clearUnit(std::string_view failure)
{
    gpib::Vbib32& gpib = p.gpib();
    gpib.ibclr(gpib.g.CurrentDevice);
    if (gpib.g.failed())
        ShowGpibError(failure);
}

std::string frmInst::readReply(std::int16_t unit, int lineEnd)
{
    gpib::Vbib32& gpib = p.gpib();
    const auto read = [&](std::string& buffer) {
        gpib.ibrd(unit, buffer, kReadCount);
        if (gpib.g.failed())
            ShowGpibError("Unable to read from device");
        // A read that filled its count without END stopped inside the message.
        return !gpib.g.ended() && gpib.g.ibcntl >= kReadCount;
    };
    if (!read(gpib.g.GpibReadBuffer))
        return gpib.g.reply(lineEnd);
    // The reply is what the buffer holds, its line end still to come. The rest
    // of the message is read and dropped: a unit read without a query first
    // would otherwise give it as its next reply.
    std::string reply = gpib.g.reply(0);
    std::string rest(gpib::kReadBufferLength, '\0');
    while (read(rest)) {}
    return reply;
}

void frmInst::ShowGpibError(std::string_view text) { gpib::ShowGpibError(p.rt(), p.gpib(), text); }

void frmInst::ShowOpenFailure(std::string_view text) { gpib::showOpenFailure(p.rt(), p.gpib(), text); }

}  // namespace instruments
