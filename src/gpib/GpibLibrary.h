#pragma once
// The seam under the GPIB call layer: the ten calls of an IEEE-488.2 library
// and the status the library keeps per thread.
#include <cstdint>

namespace gpib {

// Status bits of ibsta.
inline constexpr std::int32_t ERR = 0x8000, TIMO = 0x4000, END = 0x2000, SRQI = 0x1000, RQS = 0x800, CMPL = 0x100,
                              LOK = 0x80, REM = 0x40, CIC = 0x20, ATN = 0x10, TACS = 0x8, LACS = 0x4, DTAS = 0x2,
                              DCAS = 0x1;

// Error codes of iberr.
inline constexpr std::int32_t EDVR = 0, ECIC = 1, ENOL = 2, EADR = 3, EARG = 4, ESAC = 5, EABO = 6, ENEB = 7, EDMA = 8,
                              EOIP = 10, ECAP = 11, EFSO = 12, EBUS = 14, ESTB = 15, ESRQ = 16, ETAB = 20;

// End modes of SendList, numbered as the forms pass them (the vendor's numbering;
// linux-gpib swaps NLend and DABend, its loader translates).
inline constexpr std::int32_t NULLend = 0, NLend = 1, DABend = 2;
// Termination of Receive: stop at EOI.
inline constexpr std::int32_t STOPend = 0x100;

// End of an address list.
inline constexpr std::int16_t NOADDR = -1;

// Results of the registration of status variables.
inline constexpr int kRegistered = 0, kAlreadyRegistered = 1;

class GpibLibrary {
public:
    virtual ~GpibLibrary() = default;

    // Gives the library the variables it writes the calling thread's status word,
    // error code, count and long count to after every later call. Results: 0
    // registered; 1 this thread already had variables (unregister and register
    // again); 2 or 3 failed with state to release (unregister); others failed.
    virtual int RegisterGpibGlobalsForThread(
        std::int32_t* ibsta, std::int32_t* iberr, std::int32_t* ibcnt, std::int32_t* ibcntl) = 0;
    virtual int UnregisterGpibGlobalsForThread() = 0;

    virtual std::int32_t ibdev(std::int32_t board, std::int32_t pad, std::int32_t sad, std::int32_t tmo,
        std::int32_t eot, std::int32_t eos) = 0;
    virtual std::int32_t ibonl(std::int32_t ud, std::int32_t v) = 0;
    virtual std::int32_t ibclr(std::int32_t ud) = 0;
    virtual std::int32_t ibwrt(std::int32_t ud, const void* buf, std::int32_t count) = 0;
    virtual std::int32_t ibrd(std::int32_t ud, void* buf, std::int32_t count) = 0;
    virtual void SendIFC(std::int32_t board) = 0;
    // Address lists end with NOADDR; results has room for limit entries.
    virtual void FindLstn(std::int32_t board, const std::int16_t* addrs, std::int16_t* results, std::int32_t limit) = 0;
    virtual void DevClearList(std::int32_t board, const std::int16_t* addrs) = 0;
    virtual void SendList(
        std::int32_t board, const std::int16_t* addrs, const void* buf, std::int32_t count, std::int32_t eotmode) = 0;
    virtual void Receive(
        std::int32_t board, std::int16_t addr, void* buf, std::int32_t count, std::int32_t termination) = 0;

    // Status of the calling thread's last call.
    virtual std::int32_t ThreadIbsta() = 0;
    virtual std::int32_t ThreadIberr() = 0;
    virtual std::int32_t ThreadIbcnt() = 0;
    virtual std::int32_t ThreadIbcntl() = 0;
};

// The variables a thread registered; a library copies its per-thread status
// into them after each call.
class RegisteredStatus {
public:
    void set(std::int32_t* ibsta, std::int32_t* iberr, std::int32_t* ibcnt, std::int32_t* ibcntl)
    {
        sta_ = ibsta;
        err_ = iberr;
        cnt_ = ibcnt;
        cntl_ = ibcntl;
    }
    void clear() { set(nullptr, nullptr, nullptr, nullptr); }
    bool active() const { return sta_ != nullptr; }

    void publish(GpibLibrary& lib) const
    {
        if (!active())
            return;
        *sta_ = lib.ThreadIbsta();
        *err_ = lib.ThreadIberr();
        *cnt_ = lib.ThreadIbcnt();
        *cntl_ = lib.ThreadIbcntl();
    }

private:
    std::int32_t* sta_ = nullptr;
    std::int32_t* err_ = nullptr;
    std::int32_t* cnt_ = nullptr;
    std::int32_t* cntl_ = nullptr;
};

}  // namespace gpib
