// Builds the five shipped language files from the message catalogue.
//
//   make_language_files <catalogue.tsv> <output-folder>
//
// The catalogue is UTF-8, one row per message slot: slot, where it shows, then
// the text in each language. Each language file gets exactly 1000 lines
// "n" TAB "text" in Windows-1252, ended by CR LF; a slot without a row gets an
// empty text. Any fault in the catalogue stops the tool before a file is
// written, so a bad catalogue never leaves half-updated files behind.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "vorplan/common/atomic_file.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"

namespace vor {
namespace {

constexpr int kSlotCount = 1000;
constexpr std::size_t kMaxTextLength = 85;  // characters, as the message table holds them

constexpr std::array<std::string_view, 7> kHeader{"slot", "where", "pt", "en", "es", "nl", "es_es"};

struct LanguageFile {
    std::size_t column;
    std::string_view fileName;
};

constexpr std::array<LanguageFile, 5> kLanguageFiles{{
    {2, "PORT.PTC"},
    {3, "ENG.PTC"},
    {4, "ESPA.PTC"},
    {5, "NEED.PTC"},
    {6, "ESPA2.PTC"},
}};

class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Number(long long value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            cells.push_back(line.substr(start));
            return cells;
        }
        cells.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

// Control characters would corrupt the line structure of a language file or
// show as garbage; the undefined Windows-1252 bytes decode to C1 controls.
bool IsControlByte(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

std::string Where(std::size_t lineNumber, int slot, std::string_view column)
{
    return "line " + Number(static_cast<long long>(lineNumber)) + ", slot " + Number(slot) +
           ", column " + std::string(column);
}

// The text in Windows-1252, or CatalogueError naming the first bad character.
std::string EncodeText(std::string_view text, std::size_t lineNumber, int slot,
                       std::string_view column)
{
    if (!IsValidUtf8(text))
        throw CatalogueError(Where(lineNumber, slot, column) + ": the text is not valid UTF-8");
    const std::size_t length = Utf8Length(text);
    if (length > kMaxTextLength) {
        throw CatalogueError(Where(lineNumber, slot, column) + ": the text has " +
                             Number(static_cast<long long>(length)) + " characters, at most " +
                             Number(static_cast<long long>(kMaxTextLength)) + " are allowed");
    }
    std::string encoded;
    std::size_t pos = 0;
    std::size_t characterNumber = 1;
    while (pos < text.size()) {
        const std::size_t size = SequenceLength(static_cast<unsigned char>(text[pos]));
        const std::string_view character = text.substr(pos, size);
        const std::string byte = Utf8ToCp1252(character);
        if (byte.size() != 1 || Cp1252ToUtf8(byte) != character) {
            throw CatalogueError(Where(lineNumber, slot, column) + ": character " +
                                 Number(static_cast<long long>(characterNumber)) + " \"" +
                                 std::string(character) + "\" has no Windows-1252 code");
        }
        if (IsControlByte(static_cast<unsigned char>(byte[0]))) {
            throw CatalogueError(Where(lineNumber, slot, column) + ": character " +
                                 Number(static_cast<long long>(characterNumber)) +
                                 " is a control character");
        }
        encoded += byte;
        pos += size;
        ++characterNumber;
    }
    return encoded;
}

int ParseSlot(std::string_view cell, std::size_t lineNumber)
{
    int slot = 0;
    const char* first = cell.data();
    const char* last = cell.data() + cell.size();
    const auto result = std::from_chars(first, last, slot);
    if (cell.empty() || result.ec != std::errc{} || result.ptr != last || slot < 1 ||
        slot > kSlotCount) {
        throw CatalogueError("line " + Number(static_cast<long long>(lineNumber)) + ": slot \"" +
                             std::string(cell) + "\" is not a number from 1 to " +
                             Number(kSlotCount));
    }
    return slot;
}

// texts[language][slot - 1], already in Windows-1252.
using Texts = std::array<std::vector<std::string>, kLanguageFiles.size()>;

Texts ReadCatalogue(const std::filesystem::path& path)
{
    std::string bytes = ReadFileBytes(path);
    std::string_view rest(bytes);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (rest.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        rest.remove_prefix(kByteOrderMark.size());

    Texts texts;
    for (auto& language : texts)
        language.assign(kSlotCount, std::string());
    std::vector<std::size_t> firstLineOfSlot(kSlotCount + 1, 0);

    std::size_t lineNumber = 0;
    bool headerSeen = false;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;

        const std::vector<std::string_view> cells = SplitTabs(line);
        if (!headerSeen) {
            if (cells.size() != kHeader.size() ||
                !std::equal(cells.begin(), cells.end(), kHeader.begin())) {
                throw CatalogueError(
                    "line " + Number(static_cast<long long>(lineNumber)) +
                    ": the header must be slot, where, pt, en, es, nl, es_es (tab separated)");
            }
            headerSeen = true;
            continue;
        }
        if (cells.size() != kHeader.size()) {
            throw CatalogueError("line " + Number(static_cast<long long>(lineNumber)) +
                                 " (slot \"" + std::string(cells.front()) + "\"): " +
                                 Number(static_cast<long long>(cells.size())) + " columns, " +
                                 Number(static_cast<long long>(kHeader.size())) + " expected");
        }
        const int slot = ParseSlot(cells[0], lineNumber);
        if (firstLineOfSlot[static_cast<std::size_t>(slot)] != 0) {
            throw CatalogueError(
                "line " + Number(static_cast<long long>(lineNumber)) + ": slot " + Number(slot) +
                " appears again (first on line " +
                Number(static_cast<long long>(firstLineOfSlot[static_cast<std::size_t>(slot)])) +
                ")");
        }
        firstLineOfSlot[static_cast<std::size_t>(slot)] = lineNumber;
        for (std::size_t i = 0; i < kLanguageFiles.size(); ++i) {
            const std::size_t column = kLanguageFiles[i].column;
            texts[i][static_cast<std::size_t>(slot - 1)] =
                EncodeText(cells[column], lineNumber, slot, kHeader[column]);
        }
    }
    if (!headerSeen)
        throw CatalogueError("the catalogue is empty");
    return texts;
}

std::string BuildLanguageFile(const std::vector<std::string>& texts)
{
    std::string data;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        data += Number(slot);
        data += '\t';
        data += texts[static_cast<std::size_t>(slot - 1)];
        data += "\r\n";
    }
    return data;
}

int Run(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_language_files <catalogue.tsv> <output-folder>\n";
        return 2;
    }
    const std::filesystem::path cataloguePath(argv[1]);
    const std::filesystem::path outputFolder(argv[2]);
    try {
        const Texts texts = ReadCatalogue(cataloguePath);
        std::filesystem::create_directories(outputFolder);
        for (std::size_t i = 0; i < kLanguageFiles.size(); ++i) {
            WriteFileAtomically(outputFolder / std::string(kLanguageFiles[i].fileName),
                                BuildLanguageFile(texts[i]));
        }
    } catch (const CatalogueError& e) {
        std::cerr << "make_language_files: " << cataloguePath.string() << ": " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "make_language_files: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace vor

int main(int argc, char** argv)
{
    return vor::Run(argc, argv);
}
