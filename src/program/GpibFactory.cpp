#include "program/GpibFactory.h"

#include "gpib/DynamicGpibLibrary.h"
#include "gpib/Vbib32.h"
#include "program/Program.h"
#include "sim/GpibBus.h"

namespace {

using Flavour = gpib::DynamicGpibLibrary::Flavour;

// "linux-gpib" and "ni" name the usual libraries; anything else is a path,
// whose flavour is told by its exports.
std::string libraryFile(const std::string& choice)
{
    if (choice == "linux-gpib")
        return "libgpib.so.0";
    if (choice == "ni")
        return "libni4882.so";
    return choice;
}

Flavour flavourOf(const std::string& choice)
{
    if (choice == "linux-gpib")
        return Flavour::LinuxGpib;
    if (choice == "ni")
        return Flavour::Vendor;
    return Flavour::Detect;
}

}  // namespace

std::string gpibLibraryLoadError(const std::string& choice)
{
    if (choice == "sim")
        return {};
    const std::string file = libraryFile(choice);
    const gpib::DynamicGpibLibrary library(file, flavourOf(choice));
    if (library.loaded())
        return {};
    const std::string& why = library.loadError();
    return why.rfind(file, 0) == 0 ? why : file + ": " + why;
}

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
            gpib_ = std::make_unique<gpib::Vbib32>([choice = options_.gpibLibrary] {
                return std::make_unique<gpib::DynamicGpibLibrary>(libraryFile(choice), flavourOf(choice));
            });
    }
    return *gpib_;
}
