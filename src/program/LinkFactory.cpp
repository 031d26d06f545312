#include "link/UsbLink.h"
#include "program/Program.h"

usb::UsbLink& Program::link()
{
    if (!link_)
        link_ = std::make_unique<usb::UsbLink>(rt_);
    return *link_;
}
