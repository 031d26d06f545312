#pragma once
// Which GPIB library the program uses, and whether it can be loaded.
#include <string>

// Why the chosen system GPIB library ("linux-gpib", "ni" or a path) cannot be
// loaded, naming it; "" when it loads or the bus is simulated ("sim"). The
// program loads its library on the first bus call; this lets the start say so.
std::string gpibLibraryLoadError(const std::string& choice);
