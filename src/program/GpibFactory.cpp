#include "instruments/gpib/DynamicGpibLibrary.h"
#include "instruments/gpib/Vbib32.h"
#include "program/Program.h"
#include "sim/GpibBus.h"

namespace {

// "linux-gpib" and "ni" name the usual libraries; anything else is a path,
// whose flavour is told by its exports.
std::unique_ptr<gpib::GpibLibrary> openSystemLibrary(const std::string& choice)
{
    using Flavour = gpib::DynamicGpibLibrary::Flavour;
    if (choice == "linux-gpib")
        return std::make_unique<gpib::DynamicGpibLibrary>("libgpib.so.0", Flavour::LinuxGpib);
    if (choice == "ni")
        return std::make_unique<gpib::DynamicGpibLibrary>("libni4882.so", Flavour::Vendor);
    return std::make_unique<gpib::DynamicGpibLibrary>(choice, Flavour::Detect);
}

}  // namespace

sim::GpibBus* Program::simGpib()
{
    if (options_.gpibLibrary != "sim")
        return nullptr;
    if (!simGpib_)
        simGpib_ = std::make_unique<sim::GpibBus>(sim::defaultInstruments(), &rt_, options_.seed);
    return simGpib_.get();
}

gpib::Vbib32& Program::gpib()
{
    if (!gpib_) {
        if (sim::GpibBus* bus = simGpib())
            gpib_ = std::make_unique<gpib::Vbib32>(*bus);
        else
            gpib_ =
                std::make_unique<gpib::Vbib32>([choice = options_.gpibLibrary] { return openSystemLibrary(choice); });
    }
    return *gpib_;
}
