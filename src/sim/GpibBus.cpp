#include "sim/GpibBus.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "ui/Runtime.h"

namespace sim {

using namespace gpib;

namespace {

constexpr int kBoardTimeoutMs = 10000;  // T10s, the board's own time-out
constexpr std::int32_t kBoardOk = CMPL | CIC | ATN;

std::string join(std::initializer_list<long long> values)
{
    std::string s;
    for (long long v : values) {
        if (!s.empty())
            s += ',';
        s += std::to_string(v);
    }
    return s;
}

// The board, then the addresses of a list.
std::string listArgs(std::int32_t board, const std::vector<int>& list)
{
    std::string s = std::to_string(board);
    for (int a : list) {
        s += ',';
        s += std::to_string(a);
    }
    return s;
}

}  // namespace

std::vector<InstrumentAt> defaultInstruments()
{
    std::vector<InstrumentAt> list = {
        {InstrumentKind::Counter, 3},
        {InstrumentKind::Supply, 5},
        {InstrumentKind::SwitchUnit, 10},
        {InstrumentKind::SourceMeasure, 14},
        {InstrumentKind::SourceMeasure, 16},
        {InstrumentKind::SourceMeasure, 17},
        {InstrumentKind::SourceMeasure, 18},
    };
    for (int a = 22; a <= 30; ++a)
        list.push_back({InstrumentKind::Meter, a});
    return list;
}

int GpibBus::timeoutMs(int code)
{
    // TNONE, 10 us, 30 us, ... 1 s (11), 3 s (12), 10 s (13), ... 1000 s (17); below 1 ms counts as 0.
    static constexpr std::array<int, 18> byCode = {
        0, 0, 0, 0, 0, 1, 3, 10, 30, 100, 300, 1000, 3000, 10000, 30000, 100000, 300000, 1000000};
    return code >= 0 && code < static_cast<int>(byCode.size()) ? byCode[static_cast<std::size_t>(code)] : 0;
}

GpibBus::GpibBus(const std::vector<InstrumentAt>& instruments, ui::Runtime* rt, std::uint32_t seed)
    : rt_(rt), seed_(seed)
{
    for (const auto& i : instruments)
        attach(i.kind, i.address);
}

GpibBus::~GpibBus() = default;

GpibInstrument& GpibBus::attach(InstrumentKind kind, int address)
{
    auto& slot = instruments_[address];
    slot = makeInstrument(kind, address, seed_);
    return *slot;
}

GpibInstrument& GpibBus::attach(std::unique_ptr<GpibInstrument> unit)
{
    auto& slot = instruments_[unit->address()];
    slot = std::move(unit);
    return *slot;
}

void GpibBus::detach(int address) { instruments_.erase(address); }
void GpibBus::detachAll() { instruments_.clear(); }

GpibInstrument* GpibBus::instrument(int address)
{
    auto it = instruments_.find(address);
    return it == instruments_.end() ? nullptr : it->second.get();
}

std::vector<GpibBus::Call> GpibBus::calls(const std::string& name) const
{
    std::vector<Call> out;
    for (const auto& c : log_)
        if (c.name == name)
            out.push_back(c);
    return out;
}

void GpibBus::failNext(const std::string& call, std::int32_t iberr, std::int32_t extraStatus)
{
    failures_.emplace(call, std::make_pair(iberr, extraStatus));
}

bool GpibBus::injected(const std::string& name, std::int32_t& sta, std::int32_t& err)
{
    auto it = failures_.find(name);
    if (it == failures_.end())
        return false;
    err = it->second.first;
    sta = ERR | it->second.second;
    failures_.erase(it);
    return true;
}

std::int32_t GpibBus::finish(
    const std::string& name, std::string args, std::string data, std::int32_t sta, std::int32_t err, std::int32_t count)
{
    sta_ = sta;
    err_ = (sta & ERR) ? err : err_;
    cntl_ = count;
    registered_.publish(*this);
    log_.push_back({name, std::move(args), std::move(data), sta_, err_, cntl_});
    return sta_;
}

void GpibBus::waitTimeout(int ms)
{
    if (rt_ && ms > 0)
        rt_->Sleep(ms);
}

int GpibBus::RegisterGpibGlobalsForThread(
    std::int32_t* ibsta, std::int32_t* iberr, std::int32_t* ibcnt, std::int32_t* ibcntl)
{
    int result = kRegistered;
    if (!registrationResults_.empty()) {
        result = registrationResults_.front();
        registrationResults_.pop_front();
    } else if (threadRegistered_) {
        result = kAlreadyRegistered;
    }
    if (result == kRegistered) {
        registered_.set(ibsta, iberr, ibcnt, ibcntl);
        threadRegistered_ = true;
    }
    log_.push_back({"RegisterGpibGlobalsForThread", std::to_string(result), {}, sta_, err_, cntl_});
    return result;
}

int GpibBus::UnregisterGpibGlobalsForThread()
{
    registered_.clear();
    threadRegistered_ = false;
    log_.push_back({"UnregisterGpibGlobalsForThread", {}, {}, sta_, err_, cntl_});
    return 0;
}

bool GpibBus::noBoard(std::int32_t board, std::int32_t& sta, std::int32_t& err) const
{
    if (board == 0 && boardPresent_)
        return false;
    sta = ERR;
    err = ENEB;
    return true;
}

bool GpibBus::refused(const std::string& name, std::int32_t board, const std::string& args, const std::string& data)
{
    std::int32_t sta = 0, err = 0;
    if (!injected(name, sta, err) && !noBoard(board, sta, err))
        return false;
    finish(name, args, data, sta, err, 0);
    return true;
}

GpibBus::Device* GpibBus::device(std::int32_t ud)
{
    auto it = devices_.find(ud);
    return it == devices_.end() ? nullptr : &it->second;
}

std::int32_t GpibBus::ibdev(
    std::int32_t board, std::int32_t pad, std::int32_t sad, std::int32_t tmo, std::int32_t eot, std::int32_t eos)
{
    const std::string args = join({board, pad, sad, tmo, eot, eos});
    std::int32_t sta = 0, err = 0;
    const bool badArgument = pad < 0 || pad > 30 || (sad != 0 && (sad < 0x60 || sad > 0x7E)) || tmo < 0 || tmo > 17;
    if (!injected("ibdev", sta, err) && !noBoard(board, sta, err) && badArgument) {
        sta = ERR;
        err = EARG;
    }
    if (sta & ERR) {
        finish("ibdev", args, {}, sta, err, cntl_);
        return -1;
    }
    const std::int32_t ud = nextUd_++;
    devices_[ud] = Device{pad, timeoutMs(tmo)};
    finish("ibdev", args, {}, CMPL, 0, cntl_);
    return ud;
}

std::int32_t GpibBus::ibonl(std::int32_t ud, std::int32_t v)
{
    const std::string args = join({ud, v});
    std::int32_t sta = 0, err = 0;
    if (injected("ibonl", sta, err))
        return finish("ibonl", args, {}, sta, err, cntl_);
    if (ud == 0)  // the board
        return finish("ibonl", args, {}, boardPresent_ ? kBoardOk : ERR, ENEB, cntl_);
    if (!device(ud))
        return finish("ibonl", args, {}, ERR, EDVR, cntl_);
    if (v == 0)
        devices_.erase(ud);
    return finish("ibonl", args, {}, CMPL, 0, cntl_);
}

std::int32_t GpibBus::ibclr(std::int32_t ud)
{
    const std::string args = join({ud});
    std::int32_t sta = 0, err = 0;
    if (injected("ibclr", sta, err))
        return finish("ibclr", args, {}, sta, err, cntl_);
    Device* d = device(ud);
    if (!d)
        return finish("ibclr", args, {}, ERR, EDVR, cntl_);
    GpibInstrument* unit = instrument(d->pad);
    if (!unit)
        return finish("ibclr", args, {}, ERR | CMPL, ENOL, cntl_);
    if (unit->hung) {
        waitTimeout(d->timeoutMs);
        return finish("ibclr", args, {}, ERR | TIMO | CMPL, EABO, cntl_);
    }
    unit->clear();
    return finish("ibclr", args, {}, CMPL, 0, cntl_);
}

std::int32_t GpibBus::ibwrt(std::int32_t ud, const void* buf, std::int32_t count)
{
    const std::string bytes(static_cast<const char*>(buf), static_cast<std::size_t>(std::max(count, 0)));
    const std::string args = join({ud, count});
    std::int32_t sta = 0, err = 0;
    if (injected("ibwrt", sta, err))
        return finish("ibwrt", args, bytes, sta, err, 0);
    Device* d = device(ud);
    if (!d)
        return finish("ibwrt", args, bytes, ERR, EDVR, 0);
    GpibInstrument* unit = instrument(d->pad);
    if (!unit)
        return finish("ibwrt", args, bytes, ERR | CMPL, ENOL, 0);
    if (unit->hung) {
        waitTimeout(d->timeoutMs);
        return finish("ibwrt", args, bytes, ERR | TIMO | CMPL, EABO, 0);
    }
    unit->write(bytes);
    return finish("ibwrt", args, bytes, CMPL, 0, static_cast<std::int32_t>(bytes.size()));
}

std::int32_t GpibBus::readFrom(
    int pad, char* buf, std::int32_t count, int timeoutMs, std::int32_t& err, std::int32_t& moved)
{
    moved = 0;
    GpibInstrument* unit = instrument(pad);
    if (!unit || unit->hung || !unit->hasOutput()) {
        waitTimeout(timeoutMs);
        err = EABO;
        return ERR | TIMO | CMPL;
    }
    bool end = false;
    const std::string bytes = unit->read(static_cast<std::size_t>(std::max(count, 0)), end);
    std::memcpy(buf, bytes.data(), bytes.size());
    moved = static_cast<std::int32_t>(bytes.size());
    return CMPL | (end ? END : 0);
}

std::int32_t GpibBus::ibrd(std::int32_t ud, void* buf, std::int32_t count)
{
    const std::string args = join({ud, count});
    std::int32_t sta = 0, err = 0, moved = 0;
    if (injected("ibrd", sta, err))
        return finish("ibrd", args, {}, sta, err, 0);
    Device* d = device(ud);
    if (!d)
        return finish("ibrd", args, {}, ERR, EDVR, 0);
    sta = readFrom(d->pad, static_cast<char*>(buf), count, d->timeoutMs, err, moved);
    return finish(
        "ibrd", args, std::string(static_cast<const char*>(buf), static_cast<std::size_t>(moved)), sta, err, moved);
}

void GpibBus::SendIFC(std::int32_t board)
{
    std::int32_t sta = 0, err = 0;
    if (!injected("SendIFC", sta, err) && !noBoard(board, sta, err))
        sta = kBoardOk;
    finish("SendIFC", join({board}), {}, sta, err, cntl_);
}

std::vector<int> GpibBus::addressList(const std::int16_t* addrs) const
{
    std::vector<int> list;
    // A list holds at most the 31 primary addresses with their secondaries.
    for (std::size_t i = 0; addrs && i < 31 * 32 && addrs[i] != NOADDR; ++i)
        list.push_back(static_cast<std::uint16_t>(addrs[i]));
    return list;
}

void GpibBus::FindLstn(std::int32_t board, const std::int16_t* addrs, std::int16_t* results, std::int32_t limit)
{
    const auto list = addressList(addrs);
    const std::string args = listArgs(board, list);
    if (refused("FindLstn", board, args, {}))
        return;
    std::int32_t found = 0;
    for (int a : list) {
        if (!instrument(a & 0xFF))
            continue;
        if (found >= limit) {
            finish("FindLstn", args, {}, ERR | kBoardOk, ETAB, found);
            return;
        }
        results[found++] = static_cast<std::int16_t>(a);
    }
    finish("FindLstn", args, {}, kBoardOk, 0, found);
}

void GpibBus::DevClearList(std::int32_t board, const std::int16_t* addrs)
{
    const auto list = addressList(addrs);
    const std::string args = listArgs(board, list);
    if (refused("DevClearList", board, args, {}))
        return;
    if (list.empty()) {  // an empty list clears every device
        for (auto& [a, unit] : instruments_)
            unit->clear();
    } else {
        for (int a : list)
            if (!instrument(a & 0xFF)) {
                finish("DevClearList", args, {}, ERR | kBoardOk, ENOL, 0);
                return;
            }
        for (int a : list)
            instrument(a & 0xFF)->clear();
    }
    finish("DevClearList", args, {}, kBoardOk, 0, 0);
}

void GpibBus::SendList(
    std::int32_t board, const std::int16_t* addrs, const void* buf, std::int32_t count, std::int32_t eotmode)
{
    const auto list = addressList(addrs);
    std::string args = listArgs(board, list);
    args += ';';
    args += std::to_string(eotmode);
    std::string bytes(static_cast<const char*>(buf), static_cast<std::size_t>(std::max(count, 0)));
    if (refused("SendList", board, args, bytes))
        return;
    if (list.empty()) {
        finish("SendList", args, bytes, ERR | kBoardOk, EARG, 0);
        return;
    }
    if (std::any_of(list.begin(), list.end(), [&](int a) { return !instrument(a & 0xFF); })) {
        finish("SendList", args, bytes, ERR | kBoardOk, ENOL, 0);
        return;
    }
    const std::int32_t sent = static_cast<std::int32_t>(bytes.size());
    if (eotmode == NLend)
        bytes += '\n';
    for (int a : list)
        instrument(a & 0xFF)->write(bytes);
    finish("SendList", args, bytes, kBoardOk, 0, sent);
}

void GpibBus::Receive(std::int32_t board, std::int16_t addr, void* buf, std::int32_t count, std::int32_t termination)
{
    const std::string args = join({board, static_cast<std::uint16_t>(addr), count, termination});
    if (refused("Receive", board, args, {}))
        return;
    std::int32_t err = 0, moved = 0;
    const std::int32_t sta =
        readFrom(static_cast<std::uint16_t>(addr) & 0xFF, static_cast<char*>(buf), count, kBoardTimeoutMs, err, moved);
    finish("Receive", args, std::string(static_cast<const char*>(buf), static_cast<std::size_t>(moved)),
        sta | (sta & ERR ? 0 : CIC), err, moved);
}

}  // namespace sim
