#pragma once
// The simulated GPIB bus: board 0 with instruments at their addresses, behind
// the library interface of the call layer. Unknown addresses give the errors
// the library gives; every call is logged for the tests.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gpib/GpibLibrary.h"
#include "sim/GpibInstruments.h"

namespace ui {
class Runtime;
}

namespace sim {

struct InstrumentAt {
    InstrumentKind kind;
    int address;
};

// Counter 3, supply 5, switch unit 10, source-measure units 14, 16, 17, 18, meters 22 to 30
// (the meter panels' design addresses run to 36, past the last primary address 30).
std::vector<InstrumentAt> defaultInstruments();

class GpibBus : public gpib::GpibLibrary {
public:
    // rt, when given, is slept on for the time-out of a read nobody answers.
    GpibBus(const std::vector<InstrumentAt>& instruments, ui::Runtime* rt = nullptr, std::uint32_t seed = 1);
    ~GpibBus() override;

    // Instruments.
    GpibInstrument& attach(InstrumentKind kind, int address);
    // A unit of the caller's making (a test's), at its own address.
    GpibInstrument& attach(std::unique_ptr<GpibInstrument> unit);
    void detach(int address);
    void detachAll();
    GpibInstrument* instrument(int address);
    template <class T> T& instrumentAs(int address) { return dynamic_cast<T&>(*instrument(address)); }

    // One logged call: its name, arguments as text, bytes sent or received, status.
    struct Call {
        std::string name;
        std::string args;
        std::string data;
        std::int32_t ibsta;
        std::int32_t iberr;
        std::int32_t ibcntl;
    };
    const std::vector<Call>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    // Calls of one name, in order.
    std::vector<Call> calls(const std::string& name) const;

    // Scripting for the tests.
    void scriptRegistration(int result) { registrationResults_.push_back(result); }
    // The next call of that name fails with the error (and ERR | extraStatus).
    void failNext(const std::string& call, std::int32_t iberr, std::int32_t extraStatus = gpib::CMPL);
    // Virtual time of a read nobody answers, by time-out code.
    static int timeoutMs(int code);
    void setBoardPresent(bool present) { boardPresent_ = present; }

    // The library.
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
    std::int32_t ThreadIbsta() override { return sta_; }
    std::int32_t ThreadIberr() override { return err_; }
    std::int32_t ThreadIbcnt() override { return cntl_; }
    std::int32_t ThreadIbcntl() override { return cntl_; }

private:
    struct Device {
        int pad;
        int timeoutMs;
    };
    // Ends a call: sets the status, publishes it, logs the call; returns ibsta.
    std::int32_t finish(const std::string& name, std::string args, std::string data, std::int32_t sta, std::int32_t err,
        std::int32_t count);
    bool injected(const std::string& name, std::int32_t& sta, std::int32_t& err);
    Device* device(std::int32_t ud);
    // Board-level calls need board 0, present.
    bool noBoard(std::int32_t board, std::int32_t& sta, std::int32_t& err) const;
    // Ends a bus-level call that an injected failure or a missing board refuses.
    bool refused(const std::string& name, std::int32_t board, const std::string& args, const std::string& data);
    // Reads up to count bytes from the unit at pad into buf; the status of the read.
    std::int32_t readFrom(
        int pad, char* buf, std::int32_t count, int timeoutMs, std::int32_t& err, std::int32_t& moved);
    std::vector<int> addressList(const std::int16_t* addrs) const;
    void waitTimeout(int ms);

    ui::Runtime* rt_;
    std::uint32_t seed_;
    std::map<int, std::unique_ptr<GpibInstrument>> instruments_;
    std::map<std::int32_t, Device> devices_;
    std::int32_t nextUd_ = 32;
    bool boardPresent_ = true;

    std::int32_t sta_ = 0, err_ = 0, cntl_ = 0;
    gpib::RegisteredStatus registered_;
    bool threadRegistered_ = false;
    std::deque<int> registrationResults_;
    std::multimap<std::string, std::pair<std::int32_t, std::int32_t>> failures_;
    std::vector<Call> log_;
};

}  // namespace sim
