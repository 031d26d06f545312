#pragma once
// Names of the chip's registers as the register map shows them.
#include <string>

namespace chip {

// The register's name, "Undefined" where the chip has none (0 to 256).
std::string registerName(int address);
// The register's text before the first read.
std::string registerDesignText(int address);

}  // namespace chip
