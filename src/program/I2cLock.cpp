#include "program/I2cLock.h"

#include "program/Program.h"

void waitForI2cPath(Program& p, I2cWait rule)
{
    ui::Runtime& rt = p.rt();
    switch (rule.kind_) {
    case I2cWait::Kind::Unbounded:
        // Only a handler frees the lock.
        rt.DoEventsWhile([&p] { return p.I2CBusy; });
        return;
    case I2cWait::Kind::Passes:
        for (long pass = 0; pass < rule.limit_ && p.I2CBusy; ++pass)
            rt.DoEvents();
        break;
    case I2cWait::Kind::Millis: {
        const std::uint32_t start = rt.timeGetTime();
        const auto limit = static_cast<std::uint32_t>(rule.limit_);
        while (p.I2CBusy && rt.timeGetTime() - start < limit)
            rt.DoEventsUntil(start + limit);
        break;
    }
    }
    p.I2CBusy = false;
}

I2cLock::I2cLock(Program& p, I2cWait rule) : p_(p)
{
    waitForI2cPath(p_, rule);
    p_.I2CBusy = true;
}

void I2cLock::release()
{
    if (!held_)
        return;
    held_ = false;
    p_.I2CBusy = false;
}
