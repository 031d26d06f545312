#pragma once
// Button captions that carry run state: handlers test them and set them back.
namespace chip {

inline constexpr const char* kBusy = "Busy";
inline constexpr const char* kReadVCaption = "Read Voltages (Single)";
inline constexpr const char* kReadStatusCaption = "Read Status Bits";
inline constexpr const char* kLogOffCaption = "Logging START";
inline constexpr const char* kLogOnCaption = "Logging STOP";

}  // namespace chip
