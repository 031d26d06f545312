#pragma once
// The program: the runtime, the devices, the single instance of every form
// (created on first use) and the module-level state the forms share.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "link/BridgeProtocol.h"
#include "regmap/ChipRegisters.h"
#include "ui/Form.h"
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

    // The single instance of a form, by its type (p.form<chip::KVN58C3_Main>()):
    // created on first use, loaded whenever it is not (again after an unload).
    // Any class derived from ui::Form with a constructor taking the Program
    // is a form; nothing else needs to know of it.
    template <class F> F& form();
    // Whether a form has been created, without creating it.
    template <class F> bool hasForm() const;

    // The program folder and its files.
    const std::string& appPath() const { return options_.appPath; }
    std::string appFile(std::string_view name) const;
    bool FileExistsInAppPath(std::string_view name) const;

    // Trace: while TraceOn is set, the text goes to the trace window. The
    // window plugs itself in as the sink when it loads (an empty sink unplugs
    // it); text traced before any window is plugged in waits for the first.
    using TraceSink = std::function<void(std::string_view)>;
    void trace(std::string_view text);
    void plugTrace(TraceSink sink);

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
    // Each form type's slot in forms_, numbered on its first use.
    static std::size_t nextFormSlot();
    template <class F> static std::size_t formSlot()
    {
        static const std::size_t slot = nextFormSlot();
        return slot;
    }

    ui::Runtime& rt_;
    ProgramOptions options_;
    std::unique_ptr<usb::UsbLink> link_;
    std::unique_ptr<sim::EvalBoard> simBoard_;
    std::unique_ptr<sim::GpibBus> simGpib_;
    std::unique_ptr<gpib::Vbib32> gpib_;
    std::vector<std::unique_ptr<ui::Form>> forms_;  // by slot
    std::vector<std::size_t> created_;  // slots in the order the forms were created
    TraceSink traceSink_;
    std::string traceWaiting_;
};

template <class F> F& Program::form()
{
    static_assert(std::is_base_of_v<ui::Form, F>, "a form derives from ui::Form");
    const std::size_t slot = formSlot<F>();
    if (slot >= forms_.size())
        forms_.resize(slot + 1);
    if (!forms_[slot]) {
        // Constructed before it is stored: a constructor that reaches other forms may grow forms_.
        auto created = std::make_unique<F>(*this);
        forms_[slot] = std::move(created);
        created_.push_back(slot);
    }
    F& f = static_cast<F&>(*forms_[slot]);
    if (!f.loaded())
        f.Load();
    return f;
}

template <class F> bool Program::hasForm() const
{
    const std::size_t slot = formSlot<F>();
    return slot < forms_.size() && forms_[slot] != nullptr;
}
