#include "instruments/gpib/Vbib32.h"
