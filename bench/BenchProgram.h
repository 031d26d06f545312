#pragma once
// What every benchmark of the forms starts from: the program on the simulated
// board, its folder a scratch folder with no marker files.
#include <filesystem>

#include "program/Program.h"

namespace bench {

inline ProgramOptions benchOptions()
{
    ProgramOptions options;
    options.appPath = std::filesystem::temp_directory_path().string();
    options.simulate = true;
    return options;
}

}  // namespace bench
