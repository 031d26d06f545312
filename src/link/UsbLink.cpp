#include "link/UsbLink.h"
