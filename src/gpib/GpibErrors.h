#pragma once
// The error reports of the instrument form: the fatal report that takes the
// current unit offline and ends the program, and the notice of a failed open.
#include <array>
#include <string>
#include <string_view>

#include "gpib/Vbib32.h"
#include "ui/Runtime.h"

namespace gpib {

// The library's error codes by iberr, 0 to 28: the mnemonic and the
// description the listener query shows; unassigned codes are empty, and ERST
// has no description there.
inline constexpr std::size_t kGpibErrorCodes = 29;
struct GpibErrorCode {
    std::string_view name;
    std::string_view description;
};
const std::array<GpibErrorCode, kGpibErrorCodes>& gpibErrorCodes();

// Error mnemonics by iberr, 0 to 28; unassigned codes are empty.
const std::array<std::string_view, kGpibErrorCodes>& GpibErrNames();
// The mnemonic of a code; empty outside the table.
std::string_view gpibErrName(int iberr);

// ibsta as four hexadecimal digits at most (-32512 shows 8100).
std::string statusHex(std::int16_t ibsta);

// text, CR, "ibsta = &H...", CR, "iberr = n" and, with the mnemonic, " <name>".
std::string gpibErrorMessage(std::string_view text, std::int16_t ibsta, std::int16_t iberr, bool withMnemonic);

// The fatal report: box, unit offline, End. Never returns.
[[noreturn]] void ShowGpibError(ui::Runtime& rt, Vbib32& gpib, std::string_view text);

// The notice of a failed open; the caller goes on.
void showOpenFailure(ui::Runtime& rt, Vbib32& gpib, std::string_view text);

}  // namespace gpib
