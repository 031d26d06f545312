#include "link/HidapiTransport.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cwchar>

#include "link/HidapiAbi.h"

namespace usb {

namespace {

using namespace hidapi;

template <class F> bool resolve(void* library, const char* name, F& f)
{
    f = reinterpret_cast<F>(dlsym(library, name));
    return f != nullptr;
}

std::string narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text)
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

}  // namespace

struct HidapiTransport::Api {
    HidInit init = nullptr;
    HidExit exit = nullptr;
    HidEnumerate enumerate = nullptr;
    HidFreeEnumeration freeEnumeration = nullptr;
    HidOpenPath openPath = nullptr;
    HidWrite write = nullptr;
    HidReadTimeout readTimeout = nullptr;
    HidClose close = nullptr;
    HidError error = nullptr;

    bool load(void* lib)
    {
        return resolve(lib, "hid_init", init) && resolve(lib, "hid_exit", exit) &&
            resolve(lib, "hid_enumerate", enumerate) && resolve(lib, "hid_free_enumeration", freeEnumeration) &&
            resolve(lib, "hid_open_path", openPath) && resolve(lib, "hid_write", write) &&
            resolve(lib, "hid_read_timeout", readTimeout) && resolve(lib, "hid_close", close) &&
            resolve(lib, "hid_error", error);
    }
};

HidapiTransport::HidapiTransport(std::string library)
{
    std::vector<std::string> candidates;
    if (library.empty())
        candidates.assign(std::begin(kDefaultLibraries), std::end(kDefaultLibraries));
    else
        candidates.push_back(std::move(library));
    for (const std::string& name : candidates) {
        void* lib = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            continue;
        auto api = std::make_unique<Api>();
        if (api->load(lib)) {
            library_ = lib;
            api_ = std::move(api);
            return;
        }
        dlclose(lib);
    }
}

HidapiTransport::~HidapiTransport()
{
    if (!api_)
        return;
    for (Device& d : devices_)
        if (d.dev)
            api_->close(d.dev);
    if (initialised_)
        api_->exit();
    api_.reset();
    dlclose(library_);
}

std::vector<std::string> HidapiTransport::enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    std::vector<std::string> paths;
    if (!api_)
        return paths;
    if (!initialised_)
        initialised_ = api_->init() == 0;
    if (!initialised_)
        return paths;
    hid_device_info* list = api_->enumerate(vendorId, productId);
    products_.clear();
    for (const hid_device_info* d = list; d; d = d->next)
        if (d->path && d->vendor_id == vendorId && d->product_id == productId) {
            paths.emplace_back(d->path);
            products_[d->path] = narrow(d->product_string);
        }
    api_->freeEnumeration(list);
    return paths;
}

std::string HidapiTransport::productText(const std::string& path) const
{
    const auto it = products_.find(path);
    return it == products_.end() ? std::string() : it->second;
}

int HidapiTransport::open(const std::string& path)
{
    if (!api_ || !initialised_)
        return -1;
    std::size_t index = 0;
    while (index < devices_.size() && !(devices_[index].dev && devices_[index].path == path))
        ++index;
    if (index == devices_.size()) {
        hid_device* dev = api_->openPath(path.c_str());
        if (!dev) {
            openErrors_[path] = whyNotOpened(path);
            return -1;
        }
        openErrors_.erase(path);
        // Reuse a closed slot, so reconnecting does not grow the table.
        index = 0;
        while (index < devices_.size() && devices_[index].dev)
            ++index;
        if (index == devices_.size())
            devices_.emplace_back();
        devices_[index] = Device{path, dev, 0};
    }
    ++devices_[index].users;
    const int handle = nextHandle_++;
    handles_[handle] = index;
    return handle;
}

hidapi::hid_device* HidapiTransport::deviceOf(int handle) const
{
    const auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : devices_[it->second].dev;
}

bool HidapiTransport::write(int handle, const bridge::Report& report)
{
    hidapi::hid_device* dev = deviceOf(handle);
    // Byte 0 is already the report ID, which hidapi expects first.
    return dev && api_->write(dev, report.data(), report.size()) == static_cast<int>(report.size());
}

ReadResult HidapiTransport::read(int handle, bridge::Report& report, int timeoutMs)
{
    hidapi::hid_device* dev = deviceOf(handle);
    if (!dev)
        return ReadResult::Error;
    bridge::Report in{};
    const int n = api_->readTimeout(dev, in.data(), in.size(), timeoutMs);
    if (n == 0)
        return ReadResult::TimedOut;
    // hidraw counts the report ID: a whole answer is the full report.
    if (n != static_cast<int>(in.size()) || in[bridge::kIdByte] != bridge::kReportId)
        return ReadResult::Error;
    report = in;
    return ReadResult::Got;
}

// hid_read_timeout leaves nothing pending: a late report stays queued for the next read.
void HidapiTransport::cancelRead(int) {}

void HidapiTransport::close(int handle)
{
    const auto it = handles_.find(handle);
    if (it == handles_.end())
        return;
    Device& d = devices_[it->second];
    handles_.erase(it);
    if (--d.users == 0) {
        api_->close(d.dev);
        d.dev = nullptr;
    }
}

std::string HidapiTransport::openError(const std::string& path) const
{
    const auto it = openErrors_.find(path);
    return it == openErrors_.end() ? std::string() : it->second;
}

std::string HidapiTransport::whyNotOpened(const std::string& path) const
{
    // The hidraw backend's paths are device nodes: the system says why one
    // will not open (hidapi's own text varies with its version). The libusb
    // backend's are bus positions, for which only hidapi can tell.
    if (!path.empty() && path.front() == '/') {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            return std::strerror(errno);
        ::close(fd);
    }
    return narrow(api_->error(nullptr));
}

std::string HidapiTransport::lastError(int handle) const
{
    if (!api_)
        return "hidapi not loaded";
    return narrow(api_->error(deviceOf(handle)));
}

}  // namespace usb
