// Every message the code looks up has a real text in every shipped language.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "vorplan/common/codec.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/language_texts.h"

namespace {

namespace fs = std::filesystem;

// The slots named by a literal Msg(n) anywhere in the sources of vorplan.
std::set<long> SlotsLookedUp()
{
    const std::regex call(R"(\bMsg\(\s*(\d+)\s*\))");
    std::set<long> slots;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VOR_SOURCE_DIR) / "vorplan")) {
        const fs::path& p = entry.path();
        if (!entry.is_regular_file() || (p.extension() != ".cpp" && p.extension() != ".h"))
            continue;
        std::ifstream in(p);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it)
            slots.insert(std::stol((*it)[1]));
    }
    return slots;
}

TEST(MessageCatalogue, EveryLookedUpSlotHasATextInEveryLanguage)
{
    const std::set<long> slots = SlotsLookedUp();
    ASSERT_FALSE(slots.empty()) << "no Msg(n) found: the scan is broken";
    const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");

    for (int language = 1; language <= 5; ++language) {
        ASSERT_TRUE(fs::exists(vor::LanguageFile(installed, language)))
            << vor::LanguageFile(installed, language);
        vor::MessageTable messages;
        vor::IconCaptionTable captions;
        ASSERT_EQ(vor::LoadLanguage(installed, language, messages, captions), language);
        for (long slot : slots) {
            ASSERT_TRUE(vor::MessageTable::Contains(slot)) << "slot " << slot;
            const std::string& text = messages[slot];
            ASSERT_FALSE(text.empty()) << "message " << slot << " is empty in language " << language;
            ASSERT_LE(vor::Utf8Length(text), vor::kMessageLength)
                << "message " << slot << " is too long in language " << language;
        }
    }
}

TEST(MessageCatalogue, ShippedFilesHaveExactlyOneThousandLines)
{
    const vor::DataFolders installed = vor::MakeDataFolders(fs::path(VOR_BINARY_DIR) / "vorlane");
    for (int language = 1; language <= 5; ++language) {
        std::ifstream in(vor::LanguageFile(installed, language), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::size_t lines = 0;
        for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
            ++lines;
        EXPECT_EQ(lines, 1000u) << "language " << language;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    }
    // Windows-1252 on disk: "ç" is the single byte E7.
    std::ifstream in(vor::LanguageFile(installed, 1), std::ios::binary);
    const std::string portuguese((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(portuguese.find("\r\n953\tPre\xe7o\r\n"), std::string::npos);
}

}  // namespace
