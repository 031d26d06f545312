#include "link/UsbLink.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace usb {

namespace {

std::string cannotOpen(const std::string& path, const std::string& reason)
{
    return "Found the board at " + path + " but cannot open it" + (reason.empty() ? "" : ": " + reason) +
        ". See README, Real board.";
}

int statusOfAnswer(const bridge::Report& answer)
{
    return answer[bridge::kStatusByte] == bridge::kAnswerAck ? kStatusAck : kStatusNak;
}

}  // namespace

std::string ByteToHex2(std::uint8_t b)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[b >> 4], digits[b & 0x0F]};
}

UsbLink::UsbLink(ui::Runtime& rt, std::unique_ptr<HidTransport> transport, LinkSettings settings)
    : BoardTitle(settings.boardTitle), rt_(rt), transport_(std::move(transport)), settings_(std::move(settings))
{
}

UsbLink::~UsbLink() { CloseHidHandles(); }

bool UsbLink::OpenBoard()
{
    CloseHidHandles();
    openProblem_.clear();
    for (const std::string& path : transport_->enumerate(settings_.vendorId, settings_.productId)) {
        Board board{path, transport_->open(path), transport_->open(path), transport_->productText(path)};
        if (board.writeHandle < 0 || board.readHandle < 0) {
            if (openProblem_.empty())
                openProblem_ = cannotOpen(path, transport_->openError(path));
            if (board.writeHandle >= 0)
                transport_->close(board.writeHandle);
            if (board.readHandle >= 0)
                transport_->close(board.readHandle);
            continue;
        }
        boards_.push_back(board);
    }
    if (!boards_.empty()) {
        writeHandle_ = boards_.front().writeHandle;
        readHandle_ = boards_.front().readHandle;
        openProblem_.clear();
    }
    UsbConnected = !boards_.empty();
    if (!openProblem_.empty() && onOpenProblem)
        onOpenProblem(openProblem_);
    return UsbConnected;
}

std::string UsbLink::ConnectedBoard() const
{
    if (boards_.empty())
        return {};
    const Board& board = boards_.front();
    return board.product.empty() ? board.path : board.product + " (" + board.path + ")";
}

void UsbLink::CloseHidHandles()
{
    for (const Board& board : boards_) {
        transport_->close(board.writeHandle);
        transport_->close(board.readHandle);
    }
    boards_.clear();
    writeHandle_ = -1;
    readHandle_ = -1;
    inputDrained_ = false;
}

void UsbLink::FlushHidInput()
{
    if (readHandle_ < 0)
        return;
    // The bridge only answers requests, and every answer since the input was
    // last found empty has been taken: there is nothing to wait for.
    if (inputDrained_) {
        rt_.DoEvents();
        return;
    }
    // Queued answers come at once; the first wait that finds none (or a failed read) ends the flush.
    for (;;) {
        rt_.DoEvents();
        if (transport_->read(readHandle_, report_, 1) != ReadResult::Got) {
            transport_->cancelRead(readHandle_);
            // An answer given up on may still come later.
            inputDrained_ = !outOfStep_;
            return;
        }
    }
}

int UsbLink::exchange(int timeoutMs)
{
    report_[bridge::kIdByte] = bridge::kReportId;
    if (outOfStep_) {
        const int status = resynchronise(timeoutMs);
        if (status != kStatusAck)
            return status;
    }
    if (writeHandle_ < 0 || !transport_->write(writeHandle_, report_)) {
        inputDrained_ = false;  // a write that failed may still have reached the board
        return kStatusWriteFailed;
    }
    if (transport_->read(readHandle_, report_, timeoutMs) != ReadResult::Got) {
        transport_->cancelRead(readHandle_);
        outOfStep_ = true;
        inputDrained_ = false;
        return kStatusTimeout;
    }
    return statusOfAnswer(report_);
}

int UsbLink::resynchronise(int timeoutMs)
{
    // A count that differs per echo, and every byte filled up to the end: no
    // other answer (data of a shorter read ends in zeros) or older echo matches.
    bridge::Report probe{};
    probe[bridge::kIdByte] = bridge::kReportId;
    probe[bridge::kCommandByte] = bridge::kCmdEcho;
    const std::uint32_t count = ++echoCount_;
    for (std::size_t i = bridge::kArgByte; i < bridge::kReportSize; ++i)
        probe[i] = static_cast<std::uint8_t>(0x80 | i);
    for (std::size_t i = 0; i < 4; ++i)
        probe[bridge::kArgByte + i] = static_cast<std::uint8_t>(count >> (8 * i));
    if (writeHandle_ < 0 || !transport_->write(writeHandle_, probe))
        return kStatusWriteFailed;
    const std::uint32_t start = rt_.timeGetTime();
    for (;;) {
        const auto waited = static_cast<std::int64_t>(rt_.timeGetTime() - start);
        bridge::Report answer{};
        if (waited > timeoutMs ||
            transport_->read(readHandle_, answer, static_cast<int>(timeoutMs - waited)) != ReadResult::Got) {
            transport_->cancelRead(readHandle_);
            return kStatusTimeout;
        }
        if (answer[bridge::kStatusByte] == bridge::kAnswerAck &&
            std::equal(answer.begin() + bridge::kArgByte, answer.end(), probe.begin() + bridge::kArgByte)) {
            // Every answer before the echo was dropped, and none is due after it.
            outOfStep_ = false;
            inputDrained_ = true;
            return kStatusAck;
        }
        // Anything before the echo answers an abandoned request: dropped.
    }
}

std::uint8_t* UsbLink::request(std::uint8_t cmd)
{
    report_.fill(0);
    report_[bridge::kCommandByte] = cmd;
    return &report_[bridge::kArgByte];
}

int UsbLink::command(std::uint8_t cmd, std::initializer_list<std::uint8_t> args)
{
    std::copy(args.begin(), args.end(), request(cmd));
    return exchange();
}

int UsbLink::I2cRead(std::uint8_t& address, std::uint8_t& readCount, std::uint8_t& writeCount, std::uint8_t* readBuffer,
    const std::uint8_t* writeBuffer)
{
    // Counts the report cannot carry would overrun it: the bridge could not do them either.
    if (readCount > bridge::kMaxI2cReadCount || writeCount > bridge::kMaxI2cReadAddressBytes)
        return kStatusNak;
    std::uint8_t* args = request(bridge::kCmdI2cRead);
    args[0] = static_cast<std::uint8_t>(address + 1);
    args[1] = readCount;
    args[2] = writeCount;
    if (writeCount > 0)
        std::memcpy(args + 3, writeBuffer, writeCount);
    const int status = exchange();
    if (status == kStatusAck && readCount > 0)
        std::memcpy(readBuffer, &report_[bridge::kArgByte], readCount);
    return status;
}

int UsbLink::I2cWrite(std::uint8_t address, std::uint8_t count, const std::uint8_t* data)
{
    if (count > bridge::kMaxI2cWriteCount)
        return kStatusNak;
    std::uint8_t* args = request(bridge::kCmdI2cWrite);
    args[0] = address;
    args[1] = count;
    if (count > 0)
        std::memcpy(args + 2, data, count);
    return exchange();
}

void UsbLink::cancel()
{
    if (onCancel)
        onCancel();
    else
        rt_.End();
}

int UsbLink::withRecovery(const std::function<int()>& transfer, int quiet)
{
    // The user went back to the GUI after a failure: the rest of the operation is not done.
    if (rt_.operationAbandoned())
        return kStatusNak;
    for (;;) {
        const int status = transfer();
        if (status == kStatusAck)
            return status;
        if (status == kStatusNak) {
            if (quiet != 0)
                return status;
            const int answer = rt_.MsgBox(
                "Invalid I2C address. Press Retry to return to GUI and enter valid address or Cancel to close GUI.",
                ui::vbRetryCancel, BoardTitle);
            if (answer != ui::vbRetry)
                cancel();
            // As the box promises: back to the GUI, not on to the next transfer.
            rt_.abandonOperation();
            return status;
        }
        const std::string what = status == kStatusWriteFailed ? "WriteFile" : "ReadFile";
        const int answer = rt_.MsgBox("Please check USB connection." + what + " error.", ui::vbRetryCancel, BoardTitle);
        if (answer != ui::vbRetry) {
            cancel();
            // The Cancel hook chose not to end the program: report a failed transfer.
            rt_.abandonOperation();
            return kStatusNak;
        }
        OpenBoard();
    }
}

int UsbLink::I2cReadRetry(std::uint8_t& address, std::uint8_t& readCount, std::uint8_t& writeCount,
    std::uint8_t* readBuffer, const std::uint8_t* writeBuffer, int quiet)
{
    return withRecovery([&] { return I2cRead(address, readCount, writeCount, readBuffer, writeBuffer); }, quiet);
}

int UsbLink::I2cWriteRetry(std::uint8_t address, std::uint8_t count, const std::uint8_t* data, int quiet)
{
    return withRecovery([&] { return I2cWrite(address, count, data); }, quiet);
}

int UsbLink::SfrWrite(std::uint8_t sfr, std::uint8_t value) { return command(bridge::kCmdSfrWrite, {sfr, value}); }

int UsbLink::PortWrite(int port, std::uint8_t mask, std::uint8_t value)
{
    if (port < 0 || port >= bridge::kPortCount)
        return kStatusNak;
    return command(bridge::kCmdPortWrite, {static_cast<std::uint8_t>(port), mask, value});
}

int UsbLink::FirmwareVersion(std::string& version)
{
    const int status = command(bridge::kCmdFirmwareVersion, {});
    if (status == kStatusAck) {
        const auto first = report_.begin() + bridge::kArgByte;
        version.assign(first, std::find(first, report_.end(), std::uint8_t{0}));
    }
    return status;
}
}  // namespace usb
