#include "simulator/fixture_store.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace sim {
namespace {

std::string trim_blanks(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0)
        lines.front().erase(0, 3);
    return lines;
}

}  // namespace

std::optional<std::string> FixtureStore::read(const std::string& relative) const
{
    const std::filesystem::path rel(relative);
    if (rel.is_absolute())
        return std::nullopt;
    for (const auto& part : rel)
        if (part == "..")
            return std::nullopt;
    std::ifstream in(m_dir / rel, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string FixtureStore::text(const std::string& relative) const
{
    if (auto bytes = read(relative))
        return *bytes;
    std::cerr << "varnel-sim: fixture missing: " << (m_dir / relative).string() << '\n';
    return {};
}

IniSection FixtureStore::ini(const std::string& relative, const std::string& section) const
{
    IniSection values;
    bool inside = false;
    for (const std::string& raw : lines_of(text(relative))) {
        const std::string line = trim_blanks(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            inside = trim_blanks(line.substr(1, line.size() - 2)) == section;
            continue;
        }
        const auto eq = line.find('=');
        if (inside && eq != std::string::npos)
            values[trim_blanks(line.substr(0, eq))] = trim_blanks(line.substr(eq + 1));
    }
    return values;
}

std::vector<std::vector<std::string>> FixtureStore::table(const std::string& relative) const
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines_of(text(relative))) {
        if (trim_blanks(line).empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (;;) {
            const auto tab = line.find('\t', start);
            cells.push_back(trim_blanks(line.substr(start, tab - start)));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

}  // namespace sim
