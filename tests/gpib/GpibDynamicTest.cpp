// The system library loaded at run time, against a stand-in that exports the
// linux-gpib names.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "gpib/DynamicGpibLibrary.h"
#include "gpib/Vbib32.h"
#include "program/GpibFactory.h"

#ifdef KVN_STANDIN_GPIB

namespace {

using gpib::DynamicGpibLibrary;
using Flavour = DynamicGpibLibrary::Flavour;

// The stand-in's control functions, found the way the layer finds its calls.
struct StandIn {
    void* handle = dlopen(KVN_STANDIN_GPIB, RTLD_NOW | RTLD_LOCAL);
    void (*reset)() = nullptr;
    void (*next)(int, int, long) = nullptr;
    void (*reply)(const char*, long) = nullptr;
    void (*listener)(int) = nullptr;
    const char* (*log)() = nullptr;

    StandIn()
    {
        reset = reinterpret_cast<void (*)()>(dlsym(handle, "standin_gpib_reset"));
        next = reinterpret_cast<void (*)(int, int, long)>(dlsym(handle, "standin_gpib_next"));
        reply = reinterpret_cast<void (*)(const char*, long)>(dlsym(handle, "standin_gpib_reply"));
        listener = reinterpret_cast<void (*)(int)>(dlsym(handle, "standin_gpib_listener"));
        log = reinterpret_cast<const char* (*)()>(dlsym(handle, "standin_gpib_log"));
        reset();
    }
    ~StandIn() { dlclose(handle); }
};

TEST(GpibDynamic, LoadsLazilyDetectsLinuxGpibAndCallsThrough)
{
    StandIn s;
    ASSERT_NE(s.reset, nullptr);
    bool loaded = false;
    gpib::Vbib32 g([&] {
        loaded = true;
        return std::make_unique<DynamicGpibLibrary>(KVN_STANDIN_GPIB, Flavour::Detect);
    });
    EXPECT_FALSE(loaded);  // building the layer loads nothing

    const auto ud = g.ibdev(0, 3, 0, 12, 1, 0);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(ud, 103);
    EXPECT_EQ(g.g.GpibGlobalsRegistered, 1);
    g.ibwrt(ud, "*IDN?", 5);
    EXPECT_EQ(g.g.ibcntl, 5);
    EXPECT_EQ(g.g.ibsta, 0x100);
    EXPECT_EQ(std::string(s.log()), "ibdev 0,3,0,12,1,0\nibwrt 103 *IDN?\n");
}

TEST(GpibDynamic, PerThreadStatusReachesTheCopies)
{
    StandIn s;
    DynamicGpibLibrary lib(KVN_STANDIN_GPIB, Flavour::Detect);
    ASSERT_TRUE(lib.loaded()) << lib.loadError();
    EXPECT_EQ(lib.flavour(), Flavour::LinuxGpib);
    gpib::Vbib32 g(lib);

    s.next(0x8100, 2, 0);
    g.ibwrt(103, "*IDN?", 5);
    EXPECT_EQ(g.g.ibsta, -32512);
    EXPECT_EQ(g.g.iberr, 2);

    s.next(0x100, 0, 40000);
    g.ibwrt(103, "x", 1);
    EXPECT_EQ(g.g.ibcntl, 40000);
    EXPECT_EQ(g.g.ibcnt, -25536);
}

TEST(GpibDynamic, ReadFillsOnlyTheBytesReceived)
{
    StandIn s;
    DynamicGpibLibrary lib(KVN_STANDIN_GPIB, Flavour::LinuxGpib);
    gpib::Vbib32 g(lib);
    g.g.GpibReadBuffer.assign(1024, '#');
    s.reply("0123456789", 10);
    g.ibrd(103, g.g.GpibReadBuffer, 1024);
    EXPECT_EQ(g.g.ibcntl, 10);
    EXPECT_EQ(g.g.GpibReadBuffer, "0123456789" + std::string(1014, '#'));

    g.ibrd(103, g.g.GpibReadBuffer, 1024);  // a read that succeeds with nothing received
    EXPECT_EQ(g.g.ibsta & 0x8000, 0);
    EXPECT_EQ(g.g.ibcntl, 0);
    EXPECT_EQ(g.g.reply(1), "");
    EXPECT_EQ(g.g.GpibReadBuffer.substr(0, 10), "0123456789");
}

TEST(GpibDynamic, BusCallsPassListsAndTheLibrarysOwnEndMode)
{
    StandIn s;
    s.listener(5);
    s.listener(22);
    {
        DynamicGpibLibrary lib(KVN_STANDIN_GPIB, Flavour::LinuxGpib);
        gpib::Vbib32 g(lib);
        std::vector<std::int16_t> results(31, 0);
        g.FindLstn(0, {1, 5, 9, 22, gpib::NOADDR}, results, 31);
        EXPECT_EQ(g.g.ibcntl, 2);
        EXPECT_EQ(results[0], 5);
        EXPECT_EQ(results[1], 22);
        g.SendList(0, {5, 22, gpib::NOADDR}, "*IDN?", gpib::NLend);
        s.reply("ID5\n", 4);
        std::string reply(50, ' ');
        g.Receive(0, 5, reply, gpib::STOPend);
        EXPECT_EQ(reply, "ID5\n" + std::string(46, ' '));
    }
    const std::string log = s.log();
    EXPECT_NE(log.find("FindLstn 0 1,5,9,22 max 31\n"), std::string::npos);
    EXPECT_NE(log.find("SendList 0 5,22 *IDN? eot 2\n"), std::string::npos);  // linux-gpib's NLend
    EXPECT_NE(log.find("Receive 0,5,50,256\n"), std::string::npos);

    s.reset();
    DynamicGpibLibrary vendor(KVN_STANDIN_GPIB, Flavour::Vendor);
    ASSERT_TRUE(vendor.loaded()) << vendor.loadError();
    gpib::Vbib32 g(vendor);
    g.SendList(0, {5, gpib::NOADDR}, "*IDN?", gpib::NLend);
    EXPECT_EQ(std::string(s.log()), "SendList 0 5 *IDN? eot 1\n");
}

TEST(GpibDynamic, AMissingLibraryFailsEveryCallAndRegistersAgainNextTime)
{
    DynamicGpibLibrary lib("/nonexistent/libgpib.so.0", Flavour::LinuxGpib);
    EXPECT_FALSE(lib.loaded());
    EXPECT_FALSE(lib.loadError().empty());
    gpib::Vbib32 g(lib);
    EXPECT_EQ(g.ibdev(0, 3, 0, 12, 1, 0), -1);
    EXPECT_EQ(g.g.ibsta, static_cast<std::int16_t>(0x8000));
    EXPECT_EQ(g.g.iberr, 0);
    EXPECT_EQ(g.g.ibcntl, static_cast<std::int32_t>(0xDEAD37F0u));
    EXPECT_EQ(g.g.GpibGlobalsRegistered, 0);
    std::string buffer(8, '.');
    g.ibrd(-1, buffer, 8);
    EXPECT_EQ(buffer, "........");
    EXPECT_EQ(g.g.GpibGlobalsRegistered, 0);
}

TEST(GpibDynamic, ALibraryWithoutTheCallsIsNotUsed)
{
    DynamicGpibLibrary lib("libm.so.6", Flavour::Detect);
    EXPECT_FALSE(lib.loaded());
    EXPECT_NE(lib.loadError().find("missing"), std::string::npos);
}

// What the start tells on stderr: nothing when the library loads, else its name and why.
TEST(GpibDynamic, TheStartNamesALibraryThatCannotBeLoaded)
{
    EXPECT_EQ(gpibLibraryLoadError("sim"), "");
    EXPECT_EQ(gpibLibraryLoadError(KVN_STANDIN_GPIB), "");
    const std::string missing = gpibLibraryLoadError("/nonexistent/libgpib.so.0");
    EXPECT_EQ(missing.rfind("/nonexistent/libgpib.so.0", 0), 0u) << missing;
    EXPECT_NE(missing.find("No such file"), std::string::npos) << missing;
    const std::string noCalls = gpibLibraryLoadError("libm.so.6");
    EXPECT_EQ(noCalls.rfind("libm.so.6: missing", 0), 0u) << noCalls;
}

}  // namespace

#endif
