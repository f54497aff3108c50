#include "bench/instance_csv.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace vor::bench {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        s = s.substr(1, s.size() - 2);
    return s;
}

std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.emplace_back(Trim(line.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::vector<CsvItem> ReadInstanceCsv(const std::filesystem::path& path, CsvKind kind)
{
    const std::string name = path.string();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CsvError(name + ": cannot be read");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw CsvError(name + ": cannot be read");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    const std::vector<std::string> lines = Lines(text);

    std::size_t first = 0;
    while (first < lines.size() && Trim(lines[first]).empty())
        ++first;
    if (first == lines.size())
        throw CsvError(name + ": no header line");

    enum Column { kIgnored, kWidth, kHeight, kCopies };
    std::vector<Column> columns;
    bool seen[4] = {false, false, false, false};
    for (const std::string& title : SplitFields(lines[first])) {
        const std::string t = Lower(title);
        const bool known = t == "width" || t == "height" || t == "copies" || t == "id";
        if (!known)
            throw CsvError(name + ": unknown column \"" + title +
                           "\" (WIDTH, HEIGHT, COPIES and ID are known)");
        const Column c = t == "width"    ? kWidth
                         : t == "height" ? kHeight
                         : t == "copies" ? kCopies
                                         : kIgnored;
        if (seen[c])
            throw CsvError(name + ": column \"" + title + "\" appears twice");
        seen[c] = true;
        columns.push_back(c);
    }
    if (!seen[kWidth] || !seen[kHeight])
        throw CsvError(name + ": the header needs the columns WIDTH and HEIGHT");

    std::vector<CsvItem> items;
    for (std::size_t n = first + 1; n < lines.size(); ++n) {
        if (Trim(lines[n]).empty())
            continue;
        const std::string where = name + ":" + std::to_string(n + 1) + ": ";
        const std::vector<std::string> fields = SplitFields(lines[n]);
        if (fields.size() != columns.size())
            throw CsvError(where + std::to_string(fields.size()) + " fields, the header has " +
                           std::to_string(columns.size()));
        CsvItem item;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string& f = fields[i];
            const char* begin = f.data();
            const char* end = f.data() + f.size();
            if (columns[i] == kWidth || columns[i] == kHeight) {
                double value = 0;
                const auto r = std::from_chars(begin, end, value);
                if (r.ec != std::errc() || r.ptr != end || !std::isfinite(value) || value <= 0)
                    throw CsvError(where + (columns[i] == kWidth ? "WIDTH" : "HEIGHT") +
                                   " is not a number above 0: \"" + f + "\"");
                (columns[i] == kWidth ? item.width : item.height) = value;
            } else if (columns[i] == kCopies && !f.empty()) {
                int copies = 0;
                const auto r = std::from_chars(begin, end, copies);
                if (r.ec != std::errc() || r.ptr != end || copies < 1)
                    throw CsvError(where + "COPIES is not a whole number from 1: \"" + f + "\"");
                item.copies = copies;
            }
        }
        items.push_back(item);
    }
    if (items.empty())
        throw CsvError(name + (kind == CsvKind::Pieces ? ": no pieces" : ": no sheets"));
    return items;
}

}  // namespace vor::bench
