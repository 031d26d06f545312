#pragma once
// The A/D form on a launched program and the simulated board, with helpers
// that act from inside a run (the run returns only when it has ended).
#include <functional>
#include <memory>

#include "adutil/frmADUtil.h"
#include "link/BridgeProtocol.h"
#include "shell/FormsFixture.h"
#include "sim/Chip.h"

namespace adutil_test {

class ADFormTest : public forms_test::FormsTest {
protected:
    // The program goes before the polls it may still have scheduled.
    ~ADFormTest() override { program.reset(); }
    adutil::frmADUtil& form()
    {
        if (!ad) {
            launch();
            ad = &p().form<adutil::frmADUtil>();
        }
        return *ad;
    }
    // Readings the tests can hold against the pack: no noise, no drift.
    void holdPackStill()
    {
        sim::Chip::Pack& pack = board().chip().pack;
        pack.noiseVolts = 0;
        pack.monitorDrift = 0;
    }
    adutil::frmADUtil& shown()
    {
        form().Show();
        return *ad;
    }
    // Runs action at the first pump at which pred holds; checked at every pump.
    void when(std::function<bool()> pred, std::function<void()> action)
    {
        // The fixture keeps the poll, so it can schedule itself again.
        polls_.push_back(std::make_unique<std::function<void()>>());
        std::function<void()>* poll = polls_.back().get();
        *poll = [this, pred = std::move(pred), action = std::move(action), poll]() {
            if (pred())
                action();
            else
                rt.after(1, *poll);
        };
        rt.after(1, *poll);
    }
    // Presses Stop once a run is on and pred holds (or limitMs of virtual time have passed).
    void stopWhen(std::function<bool()> pred, long long limitMs = 60000)
    {
        const long long deadline = rt.now() + limitMs;
        when([this, pred = std::move(pred), deadline] { return p().LoopRunning && (pred() || rt.now() > deadline); },
            [this, deadline] {
                if (rt.now() > deadline)
                    ADD_FAILURE() << "the run was stopped by the test's time limit";
                ad->SSCmdStop.userClick();
            });
    }
    void stopAfterSamples(int n)
    {
        stopWhen([this, n] { return sampleCount() >= n; });
    }
    // Readings stored so far in the run going on (0 when none is).
    int sampleCount()
    {
        if (!p().LoopRunning)
            return 0;
        const auto& r = ad->records;
        return r.ReadingCount + (r.CalcMvArray[static_cast<std::size_t>(r.nextRecord())] != 1.0 ? 1 : 0);
    }
    // Selects a channel as a user does: the run starts and returns when stopped.
    void runChannel(int channel, int samples)
    {
        shown();
        stopAfterSamples(samples);
        ad->OptMuxSelect[channel].userClick();
    }
    // I2C writes of a register since report index from, their values in order.
    std::vector<int> writesOf(std::uint8_t reg, std::size_t from = 0)
    {
        std::vector<int> values;
        for (const auto& r : reportsOf(usb::bridge::kCmdI2cWrite, from))
            if (r[4] == reg)
                values.push_back(r[5]);
        return values;
    }

    adutil::frmADUtil* ad = nullptr;

private:
    std::vector<std::unique_ptr<std::function<void()>>> polls_;
};

}  // namespace adutil_test
