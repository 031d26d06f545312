// Stand-in for linux-gpib: the calls the GPIB layer loads, declared here with
// linux-gpib's prototypes. Each call is logged; the test scripts the outcome
// of the next call, the bytes a read returns and the listeners on the bus.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kCmpl = 0x100;
constexpr int kEnd = 0x2000;
constexpr std::uint16_t kNoAddr = 0xFFFF;

struct Outcome {
    bool scripted = false;
    int sta = 0;
    int err = 0;
    long cntl = -1;  // below 0: the bytes moved
};

struct State {
    std::string log;
    std::string reply;
    std::set<int> listeners;
    Outcome next;
};

State& state()
{
    static State s;
    return s;
}

thread_local int tSta = 0;
thread_local int tErr = 0;
thread_local long tCntl = 0;

int finish(const std::string& line, int sta, long moved)
{
    State& s = state();
    s.log += line + "\n";
    if (s.next.scripted) {
        tSta = s.next.sta;
        tErr = s.next.err;
        tCntl = s.next.cntl >= 0 ? s.next.cntl : moved;
        s.next = Outcome{};
    } else {
        tSta = sta;
        tCntl = moved;
    }
    return tSta;
}

long copyReply(void* buf, long count)
{
    State& s = state();
    const long n = std::min<long>(count, static_cast<long>(s.reply.size()));
    if (n > 0)
        std::memcpy(buf, s.reply.data(), static_cast<std::size_t>(n));
    s.reply.erase(0, static_cast<std::size_t>(std::max(n, 0L)));
    return n;
}

std::string list(const std::uint16_t* addrs)
{
    std::string out;
    for (int i = 0; addrs[i] != kNoAddr; ++i) {
        if (i)
            out += ',';
        out += std::to_string(addrs[i]);
    }
    return out;
}

}  // namespace

STANDIN_EXPORT int ibdev(int board, int pad, int sad, int timo, int send_eoi, int eos)
{
    finish("ibdev " + std::to_string(board) + "," + std::to_string(pad) + "," + std::to_string(sad) + "," +
            std::to_string(timo) + "," + std::to_string(send_eoi) + "," + std::to_string(eos),
        kCmpl, tCntl);
    return (tSta & 0x8000) ? -1 : 100 + pad;
}

STANDIN_EXPORT int ibonl(int ud, int onl)
{
    return finish("ibonl " + std::to_string(ud) + "," + std::to_string(onl), kCmpl, tCntl);
}

STANDIN_EXPORT int ibclr(int ud) { return finish("ibclr " + std::to_string(ud), kCmpl, tCntl); }

STANDIN_EXPORT int ibwrt(int ud, const void* buf, long count)
{
    return finish("ibwrt " + std::to_string(ud) + " " +
            std::string(static_cast<const char*>(buf), static_cast<std::size_t>(count)),
        kCmpl, count);
}

STANDIN_EXPORT int ibrd(int ud, void* buf, long count)
{
    const long n = copyReply(buf, count);
    return finish("ibrd " + std::to_string(ud) + "," + std::to_string(count), kCmpl | kEnd, n);
}

STANDIN_EXPORT void SendIFC(int board) { finish("SendIFC " + std::to_string(board), kCmpl, tCntl); }

STANDIN_EXPORT void FindLstn(int board, const std::uint16_t* pads, std::uint16_t* results, int max)
{
    long found = 0;
    for (int i = 0; pads[i] != kNoAddr; ++i)
        if (state().listeners.count(pads[i] & 0xFF) && found < max)
            results[found++] = pads[i];
    finish("FindLstn " + std::to_string(board) + " " + list(pads) + " max " + std::to_string(max), kCmpl, found);
}

STANDIN_EXPORT void DevClearList(int board, const std::uint16_t* addrs)
{
    finish("DevClearList " + std::to_string(board) + " " + list(addrs), kCmpl, tCntl);
}

STANDIN_EXPORT void SendList(int board, const std::uint16_t* addrs, const void* buf, long count, int eotmode)
{
    finish("SendList " + std::to_string(board) + " " + list(addrs) + " " +
            std::string(static_cast<const char*>(buf), static_cast<std::size_t>(count)) + " eot " +
            std::to_string(eotmode),
        kCmpl, count);
}

STANDIN_EXPORT void Receive(int board, std::uint16_t addr, void* buf, long count, int termination)
{
    const long n = copyReply(buf, count);
    finish("Receive " + std::to_string(board) + "," + std::to_string(addr) + "," + std::to_string(count) + "," +
            std::to_string(termination),
        kCmpl | kEnd, n);
}

STANDIN_EXPORT int ThreadIbsta(void) { return tSta; }
STANDIN_EXPORT int ThreadIberr(void) { return tErr; }
STANDIN_EXPORT int ThreadIbcnt(void) { return static_cast<int>(tCntl); }
STANDIN_EXPORT long ThreadIbcntl(void) { return tCntl; }

// Control of the test.
STANDIN_EXPORT void standin_gpib_reset(void)
{
    state() = State{};
    tSta = tErr = 0;
    tCntl = 0;
}

STANDIN_EXPORT void standin_gpib_next(int sta, int err, long cntl) { state().next = Outcome{true, sta, err, cntl}; }

STANDIN_EXPORT void standin_gpib_reply(const char* bytes, long n)
{
    state().reply.assign(bytes, static_cast<std::size_t>(n));
}

STANDIN_EXPORT void standin_gpib_listener(int pad) { state().listeners.insert(pad); }

STANDIN_EXPORT const char* standin_gpib_log(void) { return state().log.c_str(); }
