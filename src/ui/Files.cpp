#include "ui/Files.h"

#include <fstream>
#include <iterator>

namespace ui {

bool FileTable::Open(int n, const std::string& path, OpenMode mode)
{
    if (isOpen(n) || path.empty())
        return false;
    Entry e;
    e.path = path;
    e.mode = mode;
    if (mode == OpenMode::Input) {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        e.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        e.out = std::fopen(path.c_str(), mode == OpenMode::Output ? "wb" : "ab");
        if (!e.out)
            return false;
    }
    files_.emplace(n, std::move(e));
    return true;
}

const std::string& FileTable::path(int n) const
{
    static const std::string none;
    auto it = files_.find(n);
    return it == files_.end() ? none : it->second.path;
}

int FileTable::FreeFile() const
{
    int n = 1;
    while (isOpen(n))
        ++n;
    return n;
}

FileTable::Entry* FileTable::find(int n, bool input)
{
    auto it = files_.find(n);
    if (it == files_.end())
        return nullptr;
    if ((it->second.mode == OpenMode::Input) != input)
        return nullptr;
    return &it->second;
}

bool FileTable::PrintNoNewline(int n, std::string_view text)
{
    Entry* e = find(n, false);
    if (!e)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), e->out) == text.size();
    return std::fflush(e->out) == 0 && ok;
}

bool FileTable::Print(int n, std::string_view text)
{
    Entry* e = find(n, false);
    if (!e)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), e->out) == text.size();
    ok = std::fwrite("\r\n", 1, 2, e->out) == 2 && ok;
    return std::fflush(e->out) == 0 && ok;
}

bool FileTable::Eof(int n) const
{
    auto it = files_.find(n);
    if (it == files_.end() || it->second.mode != OpenMode::Input)
        return true;
    return it->second.pos >= it->second.data.size();
}

bool FileTable::LineInput(int n, std::string& line)
{
    Entry* e = find(n, true);
    line.clear();
    if (!e || e->pos >= e->data.size())
        return false;
    const std::string& d = e->data;
    std::size_t end = d.find_first_of("\r\n", e->pos);
    if (end == std::string::npos)
        end = d.size();
    line.assign(d, e->pos, end - e->pos);
    e->pos = end;
    if (e->pos < d.size() && d[e->pos] == '\r')
        ++e->pos;
    if (e->pos < d.size() && d[e->pos] == '\n')
        ++e->pos;
    return true;
}

bool FileTable::InputField(int n, std::string& field)
{
    Entry* e = find(n, true);
    field.clear();
    if (!e)
        return false;
    const std::string& d = e->data;
    std::size_t& p = e->pos;
    auto isBlank = [&](std::size_t i) { return d[i] == ' ' || d[i] == '\t'; };
    // Blanks before a field are skipped; so are empty lines, unless a comma
    // ended the previous field: then the line end closes an empty field.
    while (p < d.size() && (isBlank(p) || (!e->afterComma && (d[p] == '\r' || d[p] == '\n'))))
        ++p;
    if (p >= d.size()) {
        bool trailing = e->afterComma;
        e->afterComma = false;
        return trailing;
    }
    if (d[p] == '\r' || d[p] == '\n') {
        // the empty field after a trailing comma; p stays on the line end
    } else if (d[p] == '"') {
        std::size_t close = d.find('"', p + 1);
        if (close == std::string::npos)
            close = d.size();
        field.assign(d, p + 1, close - p - 1);
        p = close < d.size() ? close + 1 : close;
        // Whatever follows the closing quote up to the separator is dropped.
        while (p < d.size() && d[p] != ',' && d[p] != '\r' && d[p] != '\n')
            ++p;
    } else {
        std::size_t end = d.find_first_of(",\r\n", p);
        if (end == std::string::npos)
            end = d.size();
        field.assign(d, p, end - p);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
            field.pop_back();
        p = end;
    }
    e->afterComma = p < d.size() && d[p] == ',';
    if (e->afterComma)
        ++p;
    else {
        if (p < d.size() && d[p] == '\r')
            ++p;
        if (p < d.size() && d[p] == '\n')
            ++p;
    }
    return true;
}

void FileTable::Close(int n)
{
    auto it = files_.find(n);
    if (it == files_.end())
        return;
    if (it->second.out)
        std::fclose(it->second.out);
    files_.erase(it);
}

void FileTable::CloseAll()
{
    while (!files_.empty())
        Close(files_.begin()->first);
}

}  // namespace ui
