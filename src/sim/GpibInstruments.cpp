#include "sim/GpibInstruments.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

std::string upperTrimmed(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    std::string u(s.substr(b, e - b));
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// A reading as the instruments print it: sign, mantissa with the given
// decimals, "E", signed exponent of at least expDigits digits.
std::string scientific(double v, int decimals, int expDigits)
{
    char mant[64];
    int exp = 0;
    if (v != 0.0 && std::isfinite(v)) {
        exp = static_cast<int>(std::floor(std::log10(std::fabs(v))));
        double m = v / std::pow(10.0, exp);
        // Rounding may carry the mantissa to 10.
        if (std::fabs(std::round(m * std::pow(10.0, decimals)) / std::pow(10.0, decimals)) >= 10.0) {
            ++exp;
            m /= 10.0;
        }
        std::snprintf(mant, sizeof mant, "%+.*f", decimals, m);
    } else {
        std::snprintf(mant, sizeof mant, "%+.*f", decimals, 0.0);
    }
    char out[96];
    std::snprintf(out, sizeof out, "%sE%c%0*d", mant, exp < 0 ? '-' : '+', expDigits, std::abs(exp));
    return out;
}

// Numbers after a command word, split at commas: "APPL P25V, 25.0,  1.0".
std::vector<std::string> arguments(std::string_view text)
{
    std::vector<std::string> args;
    std::string cur;
    for (char c : text) {
        if (c == ',') {
            args.push_back(upperTrimmed(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    args.push_back(upperTrimmed(cur));
    return args;
}

double number(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

}  // namespace

std::string_view kindName(InstrumentKind kind)
{
    switch (kind) {
    case InstrumentKind::Counter: return "counter";
    case InstrumentKind::Supply: return "supply";
    case InstrumentKind::SwitchUnit: return "switch";
    case InstrumentKind::Meter: return "meter";
    case InstrumentKind::SourceMeasure: return "smu";
    }
    return "";
}

void GpibInstrument::write(std::string_view message)
{
    received_.emplace_back(message);
    handle(message);
}

bool GpibInstrument::hasOutput()
{
    if (output_.empty())
        onTalk();
    return !output_.empty();
}

std::string GpibInstrument::read(std::size_t max, bool& end)
{
    hasOutput();
    const std::size_t n = std::min(max, output_.size());
    std::string bytes = output_.substr(0, n);
    output_.erase(0, n);
    end = n > 0 && output_.empty();
    return bytes;
}

void GpibInstrument::reply(std::string_view text)
{
    output_.append(text);
    output_.append(lineEnd());
}

double GpibInstrument::noise()
{
    noise_ = noise_ * 1664525u + 1013904223u;
    return static_cast<double>(noise_ >> 8) / static_cast<double>(1u << 23) - 1.0;
}

void Counter53131::handle(std::string_view message)
{
    const std::string m = upperTrimmed(message);
    if (m == "*IDN?")
        reply("HP,53131A,0,4613");
    else if (startsWith(m, "FETCH") || startsWith(m, ":FETCH") || m == "READ?" || m == ":READ?")
        reply(scientific(frequency + noise() * noiseHz, 14, 3));
    else if (m == "SYST:ERR?" || m == ":SYST:ERR?")
        reply("+0,\"No error\"");
}

void SupplyE3631::handle(std::string_view message)
{
    const std::string m = upperTrimmed(message);
    if (m == "*IDN?") {
        reply("HP,E3631A,0,2.1-5.0-1.0");
    } else if (m == "*RST") {
        outputOn = false;
        for (auto& [name, v] : setVolts)
            v = 0.0;
        selected = "P6V";
    } else if (startsWith(m, "APPL")) {
        const auto args = arguments(std::string_view(m).substr(4));
        if (!args.empty() && setVolts.count(args[0])) {
            selected = args[0];
            if (args.size() > 1)
                setVolts[selected] = number(args[1]);
        }
    } else if (startsWith(m, "INST:SEL ") || startsWith(m, "INST ")) {
        const std::string name = upperTrimmed(m.substr(m.find(' ')));
        if (setVolts.count(name))
            selected = name;
    } else if (m == "OUTP:STAT ON" || m == "OUTP ON") {
        outputOn = true;
    } else if (m == "OUTP:STAT OFF" || m == "OUTP OFF") {
        outputOn = false;
    } else if (startsWith(m, "MEAS:VOLT")) {
        const double v = outputOn ? setVolts[selected] + noise() * 0.0005 : noise() * 0.0002;
        reply(scientific(v, 8, 2));
    } else if (m == "SYST:ERR?") {
        reply("+0,\"No error\"");
    }
}

void Switch3488::handle(std::string_view message)
{
    const std::string m = upperTrimmed(message);
    // The unit predates *IDN?; the simulation takes it too, so a listener
    // search of the bus gets an answer from every unit.
    if (m == "ID?" || m == "*IDN?") {
        reply("HP3488A");
    } else if (startsWith(m, "CTYPE")) {
        reply("44470 RELAY MUX");
    } else if (startsWith(m, "CRESET")) {
        closed.clear();
    } else if (startsWith(m, "OPEN ") || startsWith(m, "CLOSE ")) {
        const bool close = startsWith(m, "CLOSE ");
        for (const std::string& ch : arguments(std::string_view(m).substr(m.find(' ') + 1))) {
            std::erase(closed, ch);
            if (close && !ch.empty())
                closed.push_back(ch);
        }
    }
}

void Meter34401::handle(std::string_view message)
{
    const std::string m = upperTrimmed(message);
    if (m == "*IDN?") {
        reply("HP,34401A,0,11-5-2");
        return;
    }
    // A string of codes, each a letter and its argument: F1T1RAN4, F3T1R3N5.
    for (std::size_t i = 0; i < m.size(); ++i) {
        const char code = m[i];
        std::size_t j = i + 1;
        if (j < m.size() && m[j] == '-')
            ++j;
        while (j < m.size() && (std::isdigit(static_cast<unsigned char>(m[j])) || (m[j] == 'A' && j == i + 1)))
            ++j;
        const std::string arg = m.substr(i + 1, j - i - 1);
        i = j - 1;
        if (arg.empty())
            continue;
        const int n = arg == "A" ? 0 : std::atoi(arg.c_str());
        switch (code) {
        case 'F':
            if (n >= 1 && n <= 3)
                function = n;
            break;
        case 'R':
            autoRange = arg == "A";
            if (!autoRange && n >= -2 && n <= 7)
                range = n;
            break;
        case 'N':
            if (n >= 3 && n <= 5)
                digits = n;
            break;
        default: break;
        }
    }
}

void Meter34401::onTalk()
{
    const double value = input[function - 1] * (1.0 + noise() * 1e-5);
    if (!autoRange && std::fabs(value) > 3.0 * std::pow(10.0, range)) {
        reply(kOverload);
        return;
    }
    reply(scientific(value, digits, 2));
}

void Smu236::handle(std::string_view message)
{
    const std::string m = upperTrimmed(message);
    // Commands are a letter and its arguments; X executes them.
    std::size_t i = 0;
    while (i < m.size()) {
        const char cmd = m[i++];
        std::size_t j = i;
        while (j < m.size() &&
            !(std::isalpha(static_cast<unsigned char>(m[j])) &&
                !(m[j] == 'E' && j > i && std::isdigit(static_cast<unsigned char>(m[j - 1])))))
            ++j;
        const auto args = arguments(std::string_view(m).substr(i, j - i));
        i = j;
        switch (cmd) {
        case 'J':
            sourceVoltage = true;
            bias = 0.0;
            compliance = 0.001;
            operating = false;
            break;
        case 'F': sourceVoltage = number(args[0]) == 0.0; break;
        case 'B': bias = number(args[0]); break;
        case 'L': compliance = number(args[0]); break;
        case 'N': operating = number(args[0]) != 0.0; break;
        default: break;
        }
    }
}

void Smu236::onTalk()
{
    double measured = 0.0;
    if (operating) {
        const double ideal = sourceVoltage ? bias / loadOhms : bias * loadOhms;
        const double limit = std::fabs(compliance);
        measured = std::clamp(ideal, -limit, limit) * (1.0 + noise() * 1e-4);
    }
    reply(scientific(bias, 4, 2) + "," + scientific(measured, 4, 2));
}

std::unique_ptr<GpibInstrument> makeInstrument(InstrumentKind kind, int address, std::uint32_t seed)
{
    switch (kind) {
    case InstrumentKind::Counter: return std::make_unique<Counter53131>(address, seed);
    case InstrumentKind::Supply: return std::make_unique<SupplyE3631>(address, seed);
    case InstrumentKind::SwitchUnit: return std::make_unique<Switch3488>(address, seed);
    case InstrumentKind::Meter: return std::make_unique<Meter34401>(address, seed);
    case InstrumentKind::SourceMeasure: return std::make_unique<Smu236>(address, seed);
    }
    return nullptr;
}

}  // namespace sim
