#include "gpib/Vbib32.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <type_traits>

#include "vb/Numbers.h"

namespace gpib {

namespace {

// The failure marking of a registration that did not succeed.
constexpr std::int32_t kFailedCount = static_cast<std::int32_t>(0xDEAD37F0u);

std::int32_t clampCount(std::int32_t count, std::size_t available)
{
    // A count beyond the text would let the library read or write past it.
    return static_cast<std::int32_t>(std::clamp<long long>(count, 0, static_cast<long long>(available)));
}

// The count of a call that takes it from the text itself.
std::int32_t lengthOf(const std::string& text)
{
    return clampCount(std::numeric_limits<std::int32_t>::max(), text.size());
}

// The library reads a list up to NOADDR: make sure one is there.
AddressList terminated(const AddressList& addrs)
{
    AddressList list = addrs;
    if (std::find(list.begin(), list.end(), NOADDR) == list.end())
        list.push_back(NOADDR);
    return list;
}

}  // namespace

Vbib32::Vbib32(GpibLibrary& library) : library_(&library) {}

Vbib32::Vbib32(std::function<std::unique_ptr<GpibLibrary>()> loader) : loader_(std::move(loader)) {}

Vbib32::~Vbib32() = default;

GpibLibrary& Vbib32::library()
{
    if (!library_) {
        owned_ = loader_ ? loader_() : nullptr;
        if (!owned_)
            throw std::logic_error("no GPIB library");
        library_ = owned_.get();
    }
    return *library_;
}

std::int16_t Vbib32::LowWordToInt16(std::int32_t x) { return vb::Int16Of(x); }

void Vbib32::CopyGpibStatus()
{
    g.ibsta = LowWordToInt16(g.LongIbsta);
    g.iberr = LowWordToInt16(g.LongIberr);
    g.ibcnt = LowWordToInt16(g.ibcntl);
}

void Vbib32::EnsureGpibGlobalsRegistered()
{
    GpibLibrary& lib = library();
    const int result = lib.RegisterGpibGlobalsForThread(&g.LongIbsta, &g.LongIberr, &g.LongIbcnt, &g.ibcntl);
    switch (result) {
    case kRegistered: g.GpibGlobalsRegistered = 1; return;
    case kAlreadyRegistered:
        lib.UnregisterGpibGlobalsForThread();
        lib.RegisterGpibGlobalsForThread(&g.LongIbsta, &g.LongIberr, &g.LongIbcnt, &g.ibcntl);
        g.GpibGlobalsRegistered = 1;
        return;
    case 2:
    case 3: lib.UnregisterGpibGlobalsForThread(); break;
    default: break;
    }
    g.ibsta = static_cast<std::int16_t>(ERR);
    g.iberr = EDVR;
    g.ibcntl = kFailedCount;
    g.ibcnt = LowWordToInt16(g.ibcntl);
}

template <class Call> auto Vbib32::wrap(Call call)
{
    GpibLibrary& lib = library();
    bool registrationFailed = false;
    if (g.GpibGlobalsRegistered == 0) {
        EnsureGpibGlobalsRegistered();
        registrationFailed = g.GpibGlobalsRegistered == 0;
    }
    // The call makes its single-byte copies, calls the library and turns
    // by-reference buffers back into the caller's text. A failed registration
    // leaves its marking as the status the caller sees.
    if constexpr (std::is_void_v<decltype(call(lib))>) {
        call(lib);
        if (!registrationFailed)
            CopyGpibStatus();
    } else {
        const std::int16_t status = LowWordToInt16(call(lib));
        if (!registrationFailed)
            CopyGpibStatus();
        return status;
    }
}

std::int16_t Vbib32::ibdev(
    std::int16_t board, std::int16_t pad, std::int16_t sad, std::int16_t tmo, std::int16_t eot, std::int16_t eos)
{
    return wrap([&](GpibLibrary& lib) { return lib.ibdev(board, pad, sad, tmo, eot, eos); });
}

std::int16_t Vbib32::ibclr(std::int16_t ud)
{
    return wrap([&](GpibLibrary& lib) { return lib.ibclr(ud); });
}

std::int16_t Vbib32::ibonl(std::int16_t ud, std::int16_t v)
{
    return wrap([&](GpibLibrary& lib) { return lib.ibonl(ud, v); });
}

std::int16_t Vbib32::ibwrt(std::int16_t ud, std::string_view text, std::int32_t count)
{
    return wrap([&](GpibLibrary& lib) {
        const std::string bytes(text);
        return lib.ibwrt(ud, bytes.data(), clampCount(count, bytes.size()));
    });
}

std::int16_t Vbib32::ibrd(std::int16_t ud, std::string& buffer, std::int32_t count)
{
    return wrap([&](GpibLibrary& lib) {
        std::string bytes = buffer;
        const auto status = lib.ibrd(ud, bytes.data(), clampCount(count, bytes.size()));
        buffer = std::move(bytes);
        return status;
    });
}

void Vbib32::SendIFC(std::int16_t board)
{
    wrap([&](GpibLibrary& lib) { lib.SendIFC(board); });
}

void Vbib32::FindLstn(
    std::int16_t board, const AddressList& addrs, std::vector<std::int16_t>& results, std::int16_t limit)
{
    if (results.empty())
        results.resize(1, 0);
    wrap([&](GpibLibrary& lib) {
        const AddressList list = terminated(addrs);
        lib.FindLstn(board, list.data(), results.data(), clampCount(limit, results.size()));
    });
}

void Vbib32::DevClearList(std::int16_t board, const AddressList& addrs)
{
    wrap([&](GpibLibrary& lib) {
        const AddressList list = terminated(addrs);
        lib.DevClearList(board, list.data());
    });
}

void Vbib32::SendList(std::int16_t board, const AddressList& addrs, std::string_view text, std::int16_t eotmode)
{
    wrap([&](GpibLibrary& lib) {
        const AddressList list = terminated(addrs);
        const std::string bytes(text);
        lib.SendList(board, list.data(), bytes.data(), lengthOf(bytes), eotmode);
    });
}

void Vbib32::Receive(std::int16_t board, std::int16_t addr, std::string& buffer, std::int16_t term)
{
    wrap([&](GpibLibrary& lib) {
        std::string bytes = buffer;
        lib.Receive(board, addr, bytes.data(), lengthOf(bytes), term);
        buffer = std::move(bytes);
    });
}

}  // namespace gpib
