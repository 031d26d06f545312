#include "gpib/DynamicGpibLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstddef>

namespace gpib {

namespace {

// Prototypes of linux-gpib.
struct LinuxGpibTypes {
    using Result = int;
    using Count = long;
    using Limit = int;
    using Addr = std::uint16_t;
    using Status = int;
    using LongStatus = long;
    static constexpr int kNLend = 2;
    static constexpr int kDABend = 1;
    static constexpr const char* kIbcntl = "ThreadIbcntl";
};

// Prototypes of the vendor's library: unsigned results and size_t counts;
// its ThreadIbcntl is only a macro for ThreadIbcnt.
struct VendorTypes {
    using Result = unsigned int;
    using Count = std::size_t;
    using Limit = std::size_t;
    using Addr = short;
    using Status = unsigned int;
    using LongStatus = unsigned int;
    static constexpr int kNLend = 1;
    static constexpr int kDABend = 2;
    static constexpr const char* kIbcntl = "ThreadIbcnt";
};

template <class F> bool resolve(void* handle, const char* name, F& fn, std::string& missing)
{
    fn = reinterpret_cast<F>(dlsym(handle, name));
    if (!fn && missing.empty())
        missing = name;
    return fn != nullptr;
}

}  // namespace

struct DynamicGpibLibrary::Api {
    virtual ~Api() = default;
    virtual std::int32_t ibdev(int board, int pad, int sad, int tmo, int eot, int eos) = 0;
    virtual std::int32_t ibonl(int ud, int v) = 0;
    virtual std::int32_t ibclr(int ud) = 0;
    virtual std::int32_t ibwrt(int ud, const void* buf, std::int32_t count) = 0;
    virtual std::int32_t ibrd(int ud, void* buf, std::int32_t count) = 0;
    virtual void SendIFC(int board) = 0;
    virtual void FindLstn(int board, const std::int16_t* addrs, std::int16_t* results, std::int32_t limit) = 0;
    virtual void DevClearList(int board, const std::int16_t* addrs) = 0;
    virtual void SendList(int board, const std::int16_t* addrs, const void* buf, std::int32_t count, int eotmode) = 0;
    virtual void Receive(int board, std::int16_t addr, void* buf, std::int32_t count, int termination) = 0;
    virtual std::int32_t ibsta() = 0;
    virtual std::int32_t iberr() = 0;
    virtual std::int32_t ibcnt() = 0;
    virtual std::int32_t ibcntl() = 0;
    Flavour flavour = Flavour::LinuxGpib;
};

namespace {

template <class T> class ApiOf : public DynamicGpibLibrary::Api {
public:
    using Result = typename T::Result;
    using Count = typename T::Count;
    using Addr = typename T::Addr;

    // False, with the first missing name, unless every call is there.
    bool resolveAll(void* handle, std::string& missing)
    {
        bool ok = resolve(handle, "ibdev", ibdev_, missing);
        ok = resolve(handle, "ibonl", ibonl_, missing) && ok;
        ok = resolve(handle, "ibclr", ibclr_, missing) && ok;
        ok = resolve(handle, "ibwrt", ibwrt_, missing) && ok;
        ok = resolve(handle, "ibrd", ibrd_, missing) && ok;
        ok = resolve(handle, "SendIFC", sendIfc_, missing) && ok;
        ok = resolve(handle, "FindLstn", findLstn_, missing) && ok;
        ok = resolve(handle, "DevClearList", devClearList_, missing) && ok;
        ok = resolve(handle, "SendList", sendList_, missing) && ok;
        ok = resolve(handle, "Receive", receive_, missing) && ok;
        ok = resolve(handle, "ThreadIbsta", ibsta_, missing) && ok;
        ok = resolve(handle, "ThreadIberr", iberr_, missing) && ok;
        ok = resolve(handle, "ThreadIbcnt", ibcnt_, missing) && ok;
        ok = resolve(handle, T::kIbcntl, ibcntl_, missing) && ok;
        return ok;
    }

    std::int32_t ibdev(int board, int pad, int sad, int tmo, int eot, int eos) override
    {
        return static_cast<std::int32_t>(ibdev_(board, pad, sad, tmo, eot, eos));
    }
    std::int32_t ibonl(int ud, int v) override { return static_cast<std::int32_t>(ibonl_(ud, v)); }
    std::int32_t ibclr(int ud) override { return static_cast<std::int32_t>(ibclr_(ud)); }
    std::int32_t ibwrt(int ud, const void* buf, std::int32_t count) override
    {
        return static_cast<std::int32_t>(ibwrt_(ud, buf, toCount(count)));
    }
    std::int32_t ibrd(int ud, void* buf, std::int32_t count) override
    {
        return static_cast<std::int32_t>(ibrd_(ud, buf, toCount(count)));
    }
    void SendIFC(int board) override { sendIfc_(board); }
    void FindLstn(int board, const std::int16_t* addrs, std::int16_t* results, std::int32_t limit) override
    {
        findLstn_(board, reinterpret_cast<const Addr*>(addrs), reinterpret_cast<Addr*>(results),
            static_cast<typename T::Limit>(std::max(limit, 0)));
    }
    void DevClearList(int board, const std::int16_t* addrs) override
    {
        devClearList_(board, reinterpret_cast<const Addr*>(addrs));
    }
    void SendList(int board, const std::int16_t* addrs, const void* buf, std::int32_t count, int eotmode) override
    {
        sendList_(board, reinterpret_cast<const Addr*>(addrs), buf, toCount(count), endMode(eotmode));
    }
    void Receive(int board, std::int16_t addr, void* buf, std::int32_t count, int termination) override
    {
        receive_(board, static_cast<Addr>(addr), buf, toCount(count), termination);
    }
    std::int32_t ibsta() override { return static_cast<std::int32_t>(ibsta_()); }
    std::int32_t iberr() override { return static_cast<std::int32_t>(iberr_()); }
    std::int32_t ibcnt() override { return static_cast<std::int32_t>(ibcnt_()); }
    std::int32_t ibcntl() override { return static_cast<std::int32_t>(ibcntl_()); }

private:
    static Count toCount(std::int32_t count) { return static_cast<Count>(std::max(count, 0)); }
    // The forms pass end modes in the vendor's numbering.
    static int endMode(int eotmode)
    {
        if (eotmode == NLend)
            return T::kNLend;
        if (eotmode == DABend)
            return T::kDABend;
        return eotmode;
    }

    Result (*ibdev_)(int, int, int, int, int, int) = nullptr;
    Result (*ibonl_)(int, int) = nullptr;
    Result (*ibclr_)(int) = nullptr;
    Result (*ibwrt_)(int, const void*, Count) = nullptr;
    Result (*ibrd_)(int, void*, Count) = nullptr;
    void (*sendIfc_)(int) = nullptr;
    void (*findLstn_)(int, const Addr*, Addr*, typename T::Limit) = nullptr;
    void (*devClearList_)(int, const Addr*) = nullptr;
    void (*sendList_)(int, const Addr*, const void*, Count, int) = nullptr;
    void (*receive_)(int, Addr, void*, Count, int) = nullptr;
    typename T::Status (*ibsta_)() = nullptr;
    typename T::Status (*iberr_)() = nullptr;
    typename T::Status (*ibcnt_)() = nullptr;
    typename T::LongStatus (*ibcntl_)() = nullptr;
};

// Owns the dlopen handle; declared first in the Api so the calls go before the library.
struct Handle {
    void* h = nullptr;
    ~Handle()
    {
        if (h)
            dlclose(h);
    }
};

template <class T> struct LoadedApi : Handle, ApiOf<T> {
};

template <class T>
std::unique_ptr<DynamicGpibLibrary::Api> load(void* handle, DynamicGpibLibrary::Flavour flavour, std::string& error)
{
    auto api = std::make_unique<LoadedApi<T>>();
    api->h = handle;
    api->flavour = flavour;
    std::string missing;
    if (!api->resolveAll(handle, missing)) {
        api->h = nullptr;  // the caller closes it
        error = "missing " + missing;
        return nullptr;
    }
    return api;
}

}  // namespace

DynamicGpibLibrary::DynamicGpibLibrary(const std::string& path, Flavour flavour)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error_ = why ? why : "cannot load " + path;
        return;
    }
    if (flavour == Flavour::Detect)
        flavour = dlsym(handle, "ThreadIbcntl") ? Flavour::LinuxGpib : Flavour::Vendor;
    api_ = flavour == Flavour::LinuxGpib ? load<LinuxGpibTypes>(handle, flavour, error_)
                                         : load<VendorTypes>(handle, flavour, error_);
    if (!api_)
        dlclose(handle);
}

DynamicGpibLibrary::~DynamicGpibLibrary() = default;

bool DynamicGpibLibrary::loaded() const { return api_ != nullptr; }
DynamicGpibLibrary::Flavour DynamicGpibLibrary::flavour() const { return api_ ? api_->flavour : Flavour::Detect; }
const std::string& DynamicGpibLibrary::loadError() const { return error_; }

// Neither Linux library registers status variables: they keep the status per
// thread, which is copied into the registered variables after every call.
int DynamicGpibLibrary::RegisterGpibGlobalsForThread(
    std::int32_t* ibsta, std::int32_t* iberr, std::int32_t* ibcnt, std::int32_t* ibcntl)
{
    if (!api_)
        return -1;
    registered_.set(ibsta, iberr, ibcnt, ibcntl);
    return kRegistered;
}

int DynamicGpibLibrary::UnregisterGpibGlobalsForThread()
{
    registered_.clear();
    return 0;
}

// Runs one call of the loaded library and publishes its status; without a
// library the call fails and nothing is published.
template <class Call> auto DynamicGpibLibrary::call(Call fn, decltype(fn(std::declval<Api&>())) failed)
{
    if (!api_)
        return failed;
    auto result = fn(*api_);
    registered_.publish(*this);
    return result;
}

std::int32_t DynamicGpibLibrary::ibdev(
    std::int32_t board, std::int32_t pad, std::int32_t sad, std::int32_t tmo, std::int32_t eot, std::int32_t eos)
{
    return call([&](Api& a) { return a.ibdev(board, pad, sad, tmo, eot, eos); }, -1);
}

std::int32_t DynamicGpibLibrary::ibonl(std::int32_t ud, std::int32_t v)
{
    return call([&](Api& a) { return a.ibonl(ud, v); }, ERR);
}

std::int32_t DynamicGpibLibrary::ibclr(std::int32_t ud)
{
    return call([&](Api& a) { return a.ibclr(ud); }, ERR);
}

std::int32_t DynamicGpibLibrary::ibwrt(std::int32_t ud, const void* buf, std::int32_t count)
{
    return call([&](Api& a) { return a.ibwrt(ud, buf, count); }, ERR);
}

std::int32_t DynamicGpibLibrary::ibrd(std::int32_t ud, void* buf, std::int32_t count)
{
    return call([&](Api& a) { return a.ibrd(ud, buf, count); }, ERR);
}

void DynamicGpibLibrary::SendIFC(std::int32_t board)
{
    call(
        [&](Api& a) {
            a.SendIFC(board);
            return 0;
        },
        0);
}

void DynamicGpibLibrary::FindLstn(
    std::int32_t board, const std::int16_t* addrs, std::int16_t* results, std::int32_t limit)
{
    call(
        [&](Api& a) {
            a.FindLstn(board, addrs, results, limit);
            return 0;
        },
        0);
}

void DynamicGpibLibrary::DevClearList(std::int32_t board, const std::int16_t* addrs)
{
    call(
        [&](Api& a) {
            a.DevClearList(board, addrs);
            return 0;
        },
        0);
}

void DynamicGpibLibrary::SendList(
    std::int32_t board, const std::int16_t* addrs, const void* buf, std::int32_t count, std::int32_t eotmode)
{
    call(
        [&](Api& a) {
            a.SendList(board, addrs, buf, count, eotmode);
            return 0;
        },
        0);
}

void DynamicGpibLibrary::Receive(
    std::int32_t board, std::int16_t addr, void* buf, std::int32_t count, std::int32_t termination)
{
    call(
        [&](Api& a) {
            a.Receive(board, addr, buf, count, termination);
            return 0;
        },
        0);
}

std::int32_t DynamicGpibLibrary::ThreadIbsta() { return api_ ? api_->ibsta() : ERR; }
std::int32_t DynamicGpibLibrary::ThreadIberr() { return api_ ? api_->iberr() : EDVR; }
std::int32_t DynamicGpibLibrary::ThreadIbcnt() { return api_ ? api_->ibcnt() : 0; }
std::int32_t DynamicGpibLibrary::ThreadIbcntl() { return api_ ? api_->ibcntl() : 0; }

}  // namespace gpib
