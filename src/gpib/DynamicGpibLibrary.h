#pragma once
// The system's GPIB library, loaded at run time: linux-gpib or the vendor's
// library for Linux, called through prototypes declared here.
#include <memory>
#include <string>
#include <utility>

#include "gpib/GpibLibrary.h"

namespace gpib {

class DynamicGpibLibrary : public GpibLibrary {
public:
    enum class Flavour {
        LinuxGpib,  // libgpib.so.0
        Vendor,  // libni4882.so
        Detect,  // linux-gpib when the library exports ThreadIbcntl, else the vendor's
    };

    // Loads the library. When it or one of its calls cannot be found, the
    // registration fails and every call fails with EDVR.
    DynamicGpibLibrary(const std::string& path, Flavour flavour);
    ~DynamicGpibLibrary() override;

    bool loaded() const;
    Flavour flavour() const;
    // Why loading failed; empty when loaded.
    const std::string& loadError() const;

    int RegisterGpibGlobalsForThread(
        std::int32_t* ibsta, std::int32_t* iberr, std::int32_t* ibcnt, std::int32_t* ibcntl) override;
    int UnregisterGpibGlobalsForThread() override;

    std::int32_t ibdev(std::int32_t board, std::int32_t pad, std::int32_t sad, std::int32_t tmo, std::int32_t eot,
        std::int32_t eos) override;
    std::int32_t ibonl(std::int32_t ud, std::int32_t v) override;
    std::int32_t ibclr(std::int32_t ud) override;
    std::int32_t ibwrt(std::int32_t ud, const void* buf, std::int32_t count) override;
    std::int32_t ibrd(std::int32_t ud, void* buf, std::int32_t count) override;
    void SendIFC(std::int32_t board) override;
    void FindLstn(std::int32_t board, const std::int16_t* addrs, std::int16_t* results, std::int32_t limit) override;
    void DevClearList(std::int32_t board, const std::int16_t* addrs) override;
    void SendList(std::int32_t board, const std::int16_t* addrs, const void* buf, std::int32_t count,
        std::int32_t eotmode) override;
    void Receive(
        std::int32_t board, std::int16_t addr, void* buf, std::int32_t count, std::int32_t termination) override;

    std::int32_t ThreadIbsta() override;
    std::int32_t ThreadIberr() override;
    std::int32_t ThreadIbcnt() override;
    std::int32_t ThreadIbcntl() override;

    struct Api;

private:
    template <class Call> auto call(Call fn, decltype(fn(std::declval<Api&>())) failed);

    std::unique_ptr<Api> api_;
    std::string error_;
    RegisteredStatus registered_;
};

}  // namespace gpib
