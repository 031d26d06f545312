#pragma once
// Numbered files (#1, #2, ...): opened, written or read line by line, closed.
// Output is flushed after every line, so nothing written is lost if the program ends.
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace ui {

enum class OpenMode { Input, Output, Append };

class FileTable {
public:
    FileTable() = default;
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;
    ~FileTable() { CloseAll(); }

    // False when the file cannot be opened or the number is in use.
    bool Open(int n, const std::string& path, OpenMode mode);
    bool isOpen(int n) const { return files_.count(n) != 0; }
    const std::string& path(int n) const;
    int FreeFile() const;

    // Writes text and CR LF (Print #n, text).
    bool Print(int n, std::string_view text);
    // Writes text without a line end (Print #n, text;).
    bool PrintNoNewline(int n, std::string_view text);

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
        std::FILE* out = nullptr;
        std::string data;  // input files are read whole
        std::size_t pos = 0;
        bool afterComma = false;  // the last field ended at a comma
    };
    Entry* find(int n, bool input);
    std::map<int, Entry> files_;
};

}  // namespace ui
