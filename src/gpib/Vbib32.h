#pragma once
// The GPIB call layer: the only road from the instrument forms to the bus.
// Every wrapper makes sure the library knows the status variables, makes the
// call and refreshes the 16-bit copies the callers test.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gpib/GpibLibrary.h"
#include "gpib/NiGlobal.h"

namespace gpib {

// Address lists end with NOADDR.
using AddressList = std::vector<std::int16_t>;

class Vbib32 {
public:
    // A library owned elsewhere (the simulated bus).
    explicit Vbib32(GpibLibrary& library);
    // A library loaded on the first call, so building the layer at start-up loads nothing.
    explicit Vbib32(std::function<std::unique_ptr<GpibLibrary>()> loader);
    ~Vbib32();
    Vbib32(const Vbib32&) = delete;
    Vbib32& operator=(const Vbib32&) = delete;

    NiGlobal g;

    std::int16_t ibdev(
        std::int16_t board, std::int16_t pad, std::int16_t sad, std::int16_t tmo, std::int16_t eot, std::int16_t eos);
    std::int16_t ibclr(std::int16_t ud);
    std::int16_t ibonl(std::int16_t ud, std::int16_t v);
    std::int16_t ibwrt(std::int16_t ud, std::string_view text, std::int32_t count);
    // Reads at most count bytes into the start of buffer; buffer keeps its length.
    std::int16_t ibrd(std::int16_t ud, std::string& buffer, std::int32_t count);
    void SendIFC(std::int16_t board);
    // Fills results in place; g.ibcntl holds the number found.
    void FindLstn(std::int16_t board, const AddressList& addrs, std::vector<std::int16_t>& results, std::int16_t limit);
    void DevClearList(std::int16_t board, const AddressList& addrs);
    void SendList(std::int16_t board, const AddressList& addrs, std::string_view text, std::int16_t eotmode);
    // Receives at most buffer's length into the start of buffer.
    void Receive(std::int16_t board, std::int16_t addr, std::string& buffer, std::int16_t term);

    static std::int16_t LowWordToInt16(std::int32_t x);
    void CopyGpibStatus();
    void EnsureGpibGlobalsRegistered();

private:
    GpibLibrary& library();
    // Steps 1 to 6 of every wrapper around one library call.
    template <class Call> auto wrap(Call call);

    GpibLibrary* library_ = nullptr;
    std::unique_ptr<GpibLibrary> owned_;
    std::function<std::unique_ptr<GpibLibrary>()> loader_;
};

}  // namespace gpib
