#pragma once
// Simulated bench instruments: each takes the command texts the instrument
// form sends and answers with plausible replies and the unit's line end.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class InstrumentKind { Counter, Supply, SwitchUnit, Meter, SourceMeasure };

std::string_view kindName(InstrumentKind kind);

class GpibInstrument {
public:
    GpibInstrument(int address, std::uint32_t seed)
        : address_(address), noise_(seed * 2654435761u + 1u + static_cast<std::uint32_t>(address))
    {
    }
    virtual ~GpibInstrument() = default;
    GpibInstrument(const GpibInstrument&) = delete;
    GpibInstrument& operator=(const GpibInstrument&) = delete;

    virtual InstrumentKind kind() const = 0;
    int address() const { return address_; }

    // One complete message from the controller (ended by EOI).
    void write(std::string_view message);
    // Selected device clear: drops pending output.
    virtual void clear() { output_.clear(); }
    // Up to max bytes of pending output; empty when the unit has nothing to say.
    // end is set when the last byte of a reply went out.
    std::string read(std::size_t max, bool& end);
    bool hasOutput();

    // Bytes the unit will send next (a test's scripted reply).
    void queueOutput(std::string bytes) { output_.append(bytes); }
    // Every message received, in order.
    const std::vector<std::string>& received() const { return received_; }
    void clearReceived() { received_.clear(); }

    // A unit that stopped answering: every transfer with it runs into the time-out.
    bool hung = false;

protected:
    // Handles one message; replies go through reply().
    virtual void handle(std::string_view message) = 0;
    // Units that talk without being asked (meters, source-measure units) fill
    // their output here when the controller reads and nothing is pending.
    virtual void onTalk() {}
    void reply(std::string_view text);
    virtual std::string_view lineEnd() const { return "\n"; }
    // Deterministic small noise in [-1, 1).
    double noise();

private:
    int address_;
    std::uint32_t noise_;
    std::string output_;
    std::vector<std::string> received_;
};

// Agilent 53131 counter: SCPI, replies end in LF.
class Counter53131 : public GpibInstrument {
public:
    using GpibInstrument::GpibInstrument;
    InstrumentKind kind() const override { return InstrumentKind::Counter; }
    double frequency = 1.0e6;
    // Peak deviation of a reading from frequency, in Hz.
    double noiseHz = 0.05;

protected:
    void handle(std::string_view message) override;
};

// E3631 triple supply: SCPI, replies end in LF.
class SupplyE3631 : public GpibInstrument {
public:
    using GpibInstrument::GpibInstrument;
    InstrumentKind kind() const override { return InstrumentKind::Supply; }
    bool outputOn = false;
    std::string selected = "P6V";
    std::map<std::string, double> setVolts{{"P6V", 0.0}, {"P25V", 0.0}, {"N25V", 0.0}};

protected:
    void handle(std::string_view message) override;
};

// HP3488 switch unit with a multiplexer card in slot 1; replies end in LF.
class Switch3488 : public GpibInstrument {
public:
    using GpibInstrument::GpibInstrument;
    InstrumentKind kind() const override { return InstrumentKind::SwitchUnit; }
    // Closed channels, as "100".
    std::vector<std::string> closed;

protected:
    void handle(std::string_view message) override;
};

// HP 34401 meter: set up by short codes (F1 DC V, F2 AC V, F3 ohms; R range,
// A for auto or a decade -2..7 of full scale 3 x 10^R; N digits 3..5; T trigger),
// sends a reading of its function and range whenever it is read; replies end in CR LF.
class Meter34401 : public GpibInstrument {
public:
    Meter34401(int address, std::uint32_t seed)
        : GpibInstrument(address, seed), input{1.2 + address * 0.1, 0.1 + address * 0.001, 1000.0 + address}
    {
    }
    InstrumentKind kind() const override { return InstrumentKind::Meter; }
    int function = 1;
    bool autoRange = true;
    int range = 0;
    int digits = 5;
    // What the meter's input sees per function: volts DC, volts AC, ohms.
    double input[3];
    static constexpr const char* kOverload = "+9.99999E+09";

protected:
    void handle(std::string_view message) override;
    void onTalk() override;
    std::string_view lineEnd() const override { return "\r\n"; }
};

// Keithley 236 source-measure unit: device-dependent commands ended by X,
// sends "source,measure" whenever it is read; replies end in CR LF.
class Smu236 : public GpibInstrument {
public:
    using GpibInstrument::GpibInstrument;
    InstrumentKind kind() const override { return InstrumentKind::SourceMeasure; }
    bool sourceVoltage = true;  // F0: source V, measure I; F1: source I, measure V
    double bias = 0.0;  // B: volts or amperes
    double compliance = 0.0;  // L: amperes or volts
    bool operating = false;  // N1 / N0
    double loadOhms = 1000.0;

protected:
    void handle(std::string_view message) override;
    void onTalk() override;
    std::string_view lineEnd() const override { return "\r\n"; }
};

std::unique_ptr<GpibInstrument> makeInstrument(InstrumentKind kind, int address, std::uint32_t seed);

}  // namespace sim
