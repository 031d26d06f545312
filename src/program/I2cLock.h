#pragma once
// The chip I2C path's cooperative lock (Program::I2CBusy): how a holder waits
// for it, takes it and lets it go. Each caller waits by its own rule; a flag
// left set by a holder that never let go (a handler ended by a box, say) is
// cleared by force once the rule gives up.
#include <cstdint>

class Program;

// How long a caller waits for the path, letting events run meanwhile.
class I2cWait {
public:
    // Until the holder lets go, however long: one turn per event, at least a
    // tick of the clock per turn.
    static constexpr I2cWait unbounded() { return I2cWait(Kind::Unbounded, 0); }
    // At most `passes` turns of the event loop, then the flag is cleared.
    static constexpr I2cWait passes(long passes) { return I2cWait(Kind::Passes, passes); }
    // Until `ms` milliseconds have passed on the clock, then the flag is cleared.
    static constexpr I2cWait millis(long ms) { return I2cWait(Kind::Millis, ms); }

private:
    enum class Kind { Unbounded, Passes, Millis };
    constexpr I2cWait(Kind kind, long limit) : kind_(kind), limit_(limit) {}
    friend void waitForI2cPath(Program& p, I2cWait rule);
    Kind kind_;
    long limit_;
};

// Waits until the path is free (or cleared by force by the rule); does not take it.
void waitForI2cPath(Program& p, I2cWait rule);

// The path held: waits by the rule and takes it on construction, lets it go at
// the end of the scope or at release(), whichever comes first.
class I2cLock {
public:
    I2cLock(Program& p, I2cWait rule);
    ~I2cLock() { release(); }
    I2cLock(const I2cLock&) = delete;
    I2cLock& operator=(const I2cLock&) = delete;

    // Lets the path go now (before a box, say); the end of the scope then does nothing.
    void release();

private:
    Program& p_;
    bool held_ = true;
};
