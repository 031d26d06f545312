#pragma once
// The real board through hidapi, loaded at run time so the program runs (and
// finds no board) where the library is missing.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "link/HidTransport.h"

namespace usb {

namespace hidapi {
struct hid_device;
}

class HidapiTransport : public HidTransport {
public:
    // Loads the named library, or the usual hidapi libraries when empty.
    explicit HidapiTransport(std::string library = {});
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    bool loaded() const { return api_ != nullptr; }
    // The library's last error text for a handle's device (or the library's own).
    std::string lastError(int handle = -1) const;

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::string productText(const std::string& path) const override;
    int open(const std::string& path) override;
    std::string openError(const std::string& path) const override;
    bool write(int handle, const bridge::Report& report) override;
    ReadResult read(int handle, bridge::Report& report, int timeoutMs) override;
    void cancelRead(int handle) override;
    void close(int handle) override;

    static constexpr const char* kDefaultLibraries[] = {"libhidapi-hidraw.so.0", "libhidapi-libusb.so.0"};

private:
    struct Api;
    struct Device {
        std::string path;
        hidapi::hid_device* dev = nullptr;
        int users = 0;
    };

    hidapi::hid_device* deviceOf(int handle) const;
    std::string whyNotOpened(const std::string& path) const;

    void* library_ = nullptr;
    std::unique_ptr<Api> api_;
    bool initialised_ = false;
    // Both handles of a board share one opened device: the libusb backend
    // cannot open a device twice, and one reader sees every answer.
    std::vector<Device> devices_;
    std::map<int, std::size_t> handles_;
    std::map<std::string, std::string> products_;  // by path, from the last enumerate
    std::map<std::string, std::string> openErrors_;  // by path, from the last open that failed
    int nextHandle_ = 1;
};

}  // namespace usb
