// Stand-in for the hidapi shared library: the same exported calls, answered
// by a simulated evaluation board with its own millisecond clock.
#include <cstdint>
#include <cstring>
#include <memory>

#include "link/HidapiAbi.h"
#include "sim/EvalBoard.h"
#include "sim/SimTransport.h"

#define KVN_EXPORT extern "C" __attribute__((visibility("default")))

using usb::hidapi::hid_device;
using usb::hidapi::hid_device_info;

struct usb::hidapi::hid_device {
    int handle;
};

namespace {

struct Standin {
    explicit Standin(std::uint32_t seed) : board(seed) {}
    std::uint32_t clockMs = 0;
    sim::EvalBoard board;
    sim::SimTransport transport{
        board, [this](int ms) { clockMs += static_cast<std::uint32_t>(ms); }, [this] { return clockMs; }};
    int initCount = 0;
};

std::unique_ptr<Standin>& standin()
{
    static std::unique_ptr<Standin> s = std::make_unique<Standin>(1);
    return s;
}

}  // namespace

KVN_EXPORT int hid_init()
{
    ++standin()->initCount;
    return 0;
}

KVN_EXPORT int hid_exit() { return 0; }

KVN_EXPORT hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    hid_device_info* first = nullptr;
    for (const std::string& path : standin()->transport.enumerate(vendor_id, product_id)) {
        auto* info = new hid_device_info{};
        info->path = new char[path.size() + 1];
        std::memcpy(info->path, path.c_str(), path.size() + 1);
        info->vendor_id = standin()->board.vendorId();
        info->product_id = standin()->board.productId();
        info->product_string = new wchar_t[std::strlen(sim::EvalBoard::kProduct) + 1];
        for (std::size_t i = 0; i <= std::strlen(sim::EvalBoard::kProduct); ++i)
            info->product_string[i] = static_cast<wchar_t>(sim::EvalBoard::kProduct[i]);
        info->next = first;
        first = info;
    }
    return first;
}

KVN_EXPORT void hid_free_enumeration(hid_device_info* devs)
{
    while (devs) {
        hid_device_info* next = devs->next;
        delete[] devs->path;
        delete[] devs->product_string;
        delete devs;
        devs = next;
    }
}

KVN_EXPORT hid_device* hid_open_path(const char* path)
{
    const int handle = standin()->transport.open(path ? path : "");
    return handle < 0 ? nullptr : new hid_device{handle};
}

KVN_EXPORT int hid_write(hid_device* dev, const unsigned char* data, std::size_t length)
{
    usb::bridge::Report report{};
    if (!dev || length != report.size())
        return -1;
    std::memcpy(report.data(), data, length);
    return standin()->transport.write(dev->handle, report) ? static_cast<int>(length) : -1;
}

KVN_EXPORT int hid_read_timeout(hid_device* dev, unsigned char* data, std::size_t length, int milliseconds)
{
    if (!dev)
        return -1;
    usb::bridge::Report report{};
    // A blocking read on the simulated board would never end; a long wait stands for it.
    switch (standin()->transport.read(dev->handle, report, milliseconds < 0 ? 60000 : milliseconds)) {
    case usb::ReadResult::Got: {
        const std::size_t n = length < report.size() ? length : report.size();
        std::memcpy(data, report.data(), n);
        return static_cast<int>(n);
    }
    case usb::ReadResult::TimedOut: return 0;
    case usb::ReadResult::Error: break;
    }
    return -1;
}

KVN_EXPORT void hid_close(hid_device* dev)
{
    if (!dev)
        return;
    standin()->transport.close(dev->handle);
    delete dev;
}

KVN_EXPORT const wchar_t* hid_error(hid_device*) { return L"Success"; }

// Test hooks: the board behind the library, a fresh one, and the library's clock.
KVN_EXPORT void* kvn_standin_board() { return &standin()->board; }
KVN_EXPORT void kvn_standin_reset(std::uint32_t seed) { standin() = std::make_unique<Standin>(seed); }
KVN_EXPORT std::uint32_t kvn_standin_clock() { return standin()->clockMs; }
KVN_EXPORT int kvn_standin_init_count() { return standin()->initCount; }
