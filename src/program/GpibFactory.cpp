#include "instruments/gpib/Vbib32.h"
#include "program/Program.h"

gpib::Vbib32& Program::gpib()
{
    if (!gpib_)
        gpib_ = std::make_unique<gpib::Vbib32>(rt_);
    return *gpib_;
}
