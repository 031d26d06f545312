#include "chip/RegisterImage.h"

#include <stdexcept>
#include <string>

#include "link/UsbLink.h"
#include "vb/Numbers.h"

namespace chip {

RegisterImage::Copy& RegisterImage::inStep(int reg) const
{
    if (reg < 0 || reg > chipreg::kLastRegister)
        throw std::out_of_range(boxes_.name() + "(" + std::to_string(reg) + ") does not exist");
    Copy& c = copies_[static_cast<std::size_t>(reg)];
    if (!c.box)
        c.box = &boxes_[reg];
    if (c.revision != c.box->revision() || c.revision == 0) {
        const std::string& text = c.box->Text.get();
        c.value = vb::HexValue(text);
        c.twoDigits = c.value >= 0 && c.value <= 0xFF && text == usb::ByteToHex2(static_cast<std::uint8_t>(c.value));
        c.revision = c.box->revision();
    }
    return c;
}

long RegisterImage::value(int reg) const { return inStep(reg).value; }

const std::string& RegisterImage::text(int reg) const { return inStep(reg).box->Text.get(); }

void RegisterImage::setByte(int reg, std::uint8_t byte)
{
    Copy& c = inStep(reg);
    if (!c.twoDigits || c.value != byte)
        c.box->Text = usb::ByteToHex2(byte);  // the copy catches up at its next use
}

}  // namespace chip
