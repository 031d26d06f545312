#pragma once
// Our declarations of the hidapi 0.13 calls and structure the link uses;
// the transport resolves them with dlsym, the tests' stand-in exports them.
#include <cstddef>

namespace usb::hidapi {

struct hid_device_info {
    char* path;
    unsigned short vendor_id;
    unsigned short product_id;
    wchar_t* serial_number;
    unsigned short release_number;
    wchar_t* manufacturer_string;
    wchar_t* product_string;
    unsigned short usage_page;
    unsigned short usage;
    int interface_number;
    hid_device_info* next;
    int bus_type;
};

struct hid_device;  // opaque

using HidInit = int (*)();
using HidExit = int (*)();
using HidEnumerate = hid_device_info* (*)(unsigned short vendor_id, unsigned short product_id);
using HidFreeEnumeration = void (*)(hid_device_info* devs);
using HidOpenPath = hid_device* (*)(const char* path);
using HidWrite = int (*)(hid_device* dev, const unsigned char* data, std::size_t length);
using HidReadTimeout = int (*)(hid_device* dev, unsigned char* data, std::size_t length, int milliseconds);
using HidClose = void (*)(hid_device* dev);
using HidError = const wchar_t* (*)(hid_device* dev);

}  // namespace usb::hidapi
