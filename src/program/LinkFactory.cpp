#include "link/HidapiTransport.h"
#include "link/UsbLink.h"
#include "program/Program.h"
#include "sim/EvalBoard.h"
#include "sim/SimTransport.h"

sim::EvalBoard* Program::simBoard()
{
    if (!options_.simulate)
        return nullptr;
    if (!simBoard_)
        simBoard_ = std::make_unique<sim::EvalBoard>(options_.seed, options_.vendorId);
    return simBoard_.get();
}

usb::UsbLink& Program::link()
{
    if (!link_) {
        std::unique_ptr<usb::HidTransport> transport;
        if (sim::EvalBoard* board = simBoard())
            transport = std::make_unique<sim::SimTransport>(
                *board, [this](int ms) { rt_.Sleep(ms); }, [this] { return rt_.timeGetTime(); });
        else
            transport = std::make_unique<usb::HidapiTransport>();
        link_ = std::make_unique<usb::UsbLink>(
            rt_, std::move(transport), usb::LinkSettings{options_.vendorId, usb::bridge::kProductId, BoardTitle});
    }
    return *link_;
}
