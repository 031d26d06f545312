#pragma once
// The program: the runtime, the devices, the single instance of every form
// (created on first use) and the module-level state the forms share.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "link/BridgeProtocol.h"
#include "regmap/ChipRegisters.h"
#include "ui/Runtime.h"

namespace usb {
class UsbLink;
}
namespace sim {
class EvalBoard;
}
namespace sim {
class GpibBus;
}
namespace gpib {
class Vbib32;
}
namespace shell {
class Doco;
class frmAbout2;
class frmStartup;
}  // namespace shell
namespace bridge {
class frmMainF340;
}
namespace chip {
class KVN58C3_Main;
}
namespace instruments {
class frmInst;
class Test;
}  // namespace instruments

struct ProgramOptions {
    // The program folder: marker files, the shunt file, the instrument file.
    std::string appPath = ".";
    // Simulated evaluation board instead of the USB board.
    bool simulate = true;
    // USB vendor ID of the evaluation board (product ID is fixed).
    std::uint16_t vendorId = usb::bridge::kDefaultVendorId;
    // GPIB library: "sim", "linux-gpib", "ni" or a path to a shared library.
    std::string gpibLibrary = "sim";
    // Seed of the simulated board and bus.
    std::uint32_t seed = 1;
};

class Program {
public:
    Program(ui::Runtime& rt, ProgramOptions options);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ui::Runtime& rt() const { return rt_; }
    const ProgramOptions& options() const { return options_; }

    // Devices.
    usb::UsbLink& link();
    // The simulated board behind the link; nullptr when not simulating.
    sim::EvalBoard* simBoard();
    gpib::Vbib32& gpib();
    // The simulated GPIB bus; nullptr unless the bus is simulated.
    sim::GpibBus* simGpib();

    // Forms: each created and loaded on first use.
    shell::Doco& Doco();
    shell::frmAbout2& frmAbout2();
    shell::frmStartup& frmStartup();
    bridge::frmMainF340& frmMainF340();
    chip::KVN58C3_Main& KVN58C3_Main();
    instruments::frmInst& frmInst();
    instruments::Test& Test();
    // Whether a form has been created, without creating it.
    bool hasFrmInst() const { return frmInst_ != nullptr; }
    bool hasKVN58C3_Main() const { return main_ != nullptr; }

    // The program folder and its files.
    const std::string& appPath() const { return options_.appPath; }
    std::string appFile(std::string_view name) const;
    bool FileExistsInAppPath(std::string_view name) const;

    // Trace window: appends the text while TraceOn is set.
    void trace(std::string_view text);

    // Module-level state, named as the forms name it.
    bool TraceOn = false;
    bool TraceDetail = false;
    std::string TraceIndent1, TraceIndent2, TraceIndent3;

    bool I2CBusy = false;
    bool LoopRunning = false;
    bool AbortDataCollect = false;
    bool AutoScanActive = false;
    bool XbarEnabled = false;

    bool TrimMode = false;
    std::uint8_t DefaultI2CAddress = chipreg::kI2cAddress;
    std::string BoardPrefix;
    std::string BoardTitle;
    bool EngFileFound = false;
    bool TrimFileFound = false;
    bool InstrumentsLoaded = false;
    double VRef = 3.3;

private:
    template <class F> F& form(std::unique_ptr<F>& slot);

    ui::Runtime& rt_;
    ProgramOptions options_;
    std::unique_ptr<usb::UsbLink> link_;
    std::unique_ptr<sim::EvalBoard> simBoard_;
    std::unique_ptr<sim::GpibBus> simGpib_;
    std::unique_ptr<gpib::Vbib32> gpib_;
    std::unique_ptr<shell::Doco> doco_;
    std::unique_ptr<shell::frmAbout2> about_;
    std::unique_ptr<shell::frmStartup> startup_;
    std::unique_ptr<bridge::frmMainF340> bridge_;
    std::unique_ptr<chip::KVN58C3_Main> main_;
    std::unique_ptr<instruments::frmInst> frmInst_;
    std::unique_ptr<instruments::Test> test_;
};
