#pragma once

inline constexpr const char* kProgramName = "KVN58C3 Evaluation";
inline constexpr const char* kProgramVersion = "1.0.0";
