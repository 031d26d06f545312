#pragma once
// Numbered files (#1, #2, ...): opened, written or read line by line, closed.
// Each line goes to the file in one write, so nothing written is lost if the
// program ends, and a line that cannot be written whole is taken back.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace ui {

enum class OpenMode { Input, Output, Append };

// A field of a delimited line as it may be written: the separator, CR and LF
// become blanks, so no text can split the line it is part of.
std::string fieldText(std::string_view text, char separator);

class FileTable {
public:
    FileTable() = default;
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;
    ~FileTable() { CloseAll(); }

    // Input is read whole only from a regular file of at most this size.
    static constexpr std::size_t kMaxInputBytes = 16u << 20;

    // False when the file cannot be opened or the number is in use, and when
    // it is not a regular file: a FIFO or a device could block a read or a
    // write for ever, or never end. For input, also when it is larger than
    // kMaxInputBytes or cannot be read; for output, when a numbered file open
    // for output is writing it (it would be cut short under its writer).
    bool Open(int n, const std::string& path, OpenMode mode);
    bool isOpen(int n) const { return files_.count(n) != 0; }
    const std::string& path(int n) const;
    int FreeFile() const;

    // Writes text and CR LF (Print #n, text). False when it could not be
    // written whole; the file then ends as it did before the call.
    bool Print(int n, std::string_view text);
    // Writes text without a line end (Print #n, text;).
    bool PrintNoNewline(int n, std::string_view text);
    // Replaces the file at path with text whole, or leaves it as it was: the
    // text goes to a new file in the same folder, renamed over the old one.
    // Refused, as Open refuses, for a target that is not a regular file (a
    // symbolic link is not replaced either) or that a numbered file is writing.
    bool Save(const std::string& path, std::string_view text);

    // The system's reason for the last failed Open, Print or Save ("No space left on device").
    const std::string& lastError() const { return lastError_; }
    // The box text for that failure, the same for every writer: what stopped
    // ("Logging stopped"), the file and the reason.
    std::string failure(std::string_view what) const;

    // Line Input #n: up to CR LF, CR or LF. False at end of file.
    bool LineInput(int n, std::string& line);
    // Input #n: one field; a quoted field runs to the closing quote, an unquoted
    // one to the next comma or line end, trimmed. False at end of file.
    bool InputField(int n, std::string& field);
    bool Eof(int n) const;

    void Close(int n);  // nothing when not open
    void CloseAll();

private:
    struct Entry {
        std::string path;
        OpenMode mode = OpenMode::Input;
        int out = -1;  // descriptor of an output file
        unsigned long long device = 0, inode = 0;  // and which file it is on disk
        std::string data;  // input files are read whole
        std::size_t pos = 0;
        bool afterComma = false;  // the last field ended at a comma
    };
    Entry* find(int n, bool input);
    bool write(int n, std::string_view text);
    bool writing(unsigned long long device, unsigned long long inode) const;
    bool fail(const std::string& path, std::string reason);
    bool fail(const std::string& path, int error);
    std::map<int, Entry> files_;
    std::string lastError_;
    std::string lastPath_;
};

}  // namespace ui
