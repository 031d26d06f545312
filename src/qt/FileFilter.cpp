#include "qt/FileFilter.h"

namespace qt {

namespace {

std::vector<std::string_view> splitBars(std::string_view s)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = s.find('|', start);
        parts.push_back(s.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos)
            return parts;
        start = bar + 1;
    }
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The description without a trailing "(...)": the real pattern is appended instead,
// since Qt takes the patterns from the last parentheses.
std::string_view withoutPatternNote(std::string_view desc)
{
    desc = trim(desc);
    if (!desc.empty() && desc.back() == ')') {
        std::size_t open = desc.rfind('(');
        if (open != std::string_view::npos)
            desc = trim(desc.substr(0, open));
    }
    return desc;
}

}  // namespace

std::vector<std::string> nameFilters(std::string_view filter)
{
    std::vector<std::string> out;
    if (trim(filter).empty())
        return out;
    auto parts = splitBars(filter);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (char ch : trim(parts[i + 1]))
            patterns += ch == ';' ? ' ' : ch;
        if (patterns.empty())
            continue;
        std::string_view desc = withoutPatternNote(parts[i]);
        std::string entry(desc.empty() ? std::string_view(patterns) : desc);
        entry += " (" + patterns + ")";
        out.push_back(std::move(entry));
    }
    return out;
}

namespace {

bool hasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

}  // namespace

std::string defaultSuffix(std::string_view defaultExt)
{
    defaultExt = trim(defaultExt);
    while (!defaultExt.empty() && (defaultExt.front() == '*' || defaultExt.front() == '.'))
        defaultExt.remove_prefix(1);
    return hasWildcard(defaultExt) ? std::string() : std::string(defaultExt);
}

std::string savableName(std::string_view path, std::string_view defaultExt)
{
    const std::size_t nameAt = path.find_last_of('/') + 1;  // 0 without a folder
    std::string name(path.substr(nameAt));
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0 && hasWildcard(std::string_view(name).substr(dot + 1))) {
        const std::string suffix = defaultSuffix(defaultExt);
        name.erase(suffix.empty() ? dot : dot + 1);
        name += suffix;
    }
    if (name.empty() || hasWildcard(name))
        return {};
    return std::string(path.substr(0, nameAt)) + name;
}

}  // namespace qt
