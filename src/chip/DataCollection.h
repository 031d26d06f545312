#pragma once
// The data collection's run state. A survey or a series owns file number 1
// from its start checks to its end; a second start meanwhile is refused
// rather than interleaving its lines into the first run's file.
#include <string>

namespace chip {

class KVN58C3_Main;

class DataCollection {
public:
    explicit DataCollection(KVN58C3_Main& form) : f_(form) {}

    bool running() const { return running_; }
    // The start checks both runs share, in order; true with file number 1
    // open and the sample count known.
    bool begin(int& samples);
    // A line of the run's file; false, the file closed and a box shown, when
    // it could not be written.
    bool print(const std::string& line);
    // Closes file number 1 and hides the abort button.
    void end();

private:
    KVN58C3_Main& f_;
    bool running_ = false;
};

}  // namespace chip
