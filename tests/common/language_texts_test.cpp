#include "vorplan/common/language_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/message_service.h"
#include "tests/support/test_support.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/text_file.h"

namespace {

namespace fs = std::filesystem;
using vortest::ReadBytes;
using vortest::TempDir;
using vortest::TestInstallation;
using vortest::WriteBytes;

// Records every box and answers Ok.
class RecordingMessages final : public platform::MessageService {
public:
    platform::Answer Show(std::string_view text, std::string_view, platform::MessageKind,
                          platform::Buttons) override
    {
        shown.emplace_back(text);
        return platform::Answer::Ok;
    }
    std::vector<std::string> shown;
};

// A table whose every slot holds a text, so that untouched slots show.
vor::MessageTable FilledTable(const std::string& text)
{
    vor::MessageTable table;
    table.Fill(text);
    return table;
}

// 1000 lines "n" TAB tag " n", CR LF.
std::string LanguageFixture(const std::string& tag)
{
    std::string bytes;
    for (int n = 1; n <= 1000; ++n)
        bytes += std::to_string(n) + "\t" + tag + " " + std::to_string(n) + "\r\n";
    return bytes;
}

struct Language {
    int index;
    const char* file;
    const char* tag;
};

constexpr Language kLanguages[] = {
    {1, "PORT.PTC", "PT"}, {2, "ENG.PTC", "EN"},    {3, "ESPA.PTC", "ES"},
    {4, "NEED.PTC", "NL"}, {5, "ESPA2.PTC", "ES2"},
};

// Shared tables and the message service are restored after every test.
class LanguageTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = vor::gShared;
        platform::SetMessages(&messages);
        vor::gShared.folders = vor::MakeDataFolders(inst.base());
        vor::gShared.messages.Fill({});
        vor::gShared.iconCaptions.Fill({});
    }
    void TearDown() override
    {
        vor::SetLanguageAppliedHook({});
        platform::SetMessages(nullptr);
        vor::gShared = m_saved;
    }

    fs::path Lang(const char* name) const { return inst.base() / "LANG" / name; }
    void WriteAllLanguageFiles() const
    {
        for (const Language& l : kLanguages)
            WriteBytes(Lang(l.file), LanguageFixture(l.tag));
    }

    TestInstallation inst;
    RecordingMessages messages;

private:
    vor::SharedGlobals m_saved;
};

TEST_F(LanguageTexts, ReaderTakesEachLineAfterTheFirstTab)
{
    const std::string x300 = [] {
        std::string s;
        for (int i = 0; i < 300; ++i)
            s += static_cast<char>('a' + i % 26);
        return s;
    }();
    std::string e100;  // "é" a hundred times, as UTF-8
    for (int i = 0; i < 100; ++i)
        e100 += "\xC3\xA9";
    struct Case {
        const char* name;
        std::string bytes;  // the whole file
        std::string expected;  // slot 1
    };
    const Case cases[] = {
        {"only the first TAB separates", "12\tabc\tdef\r\n", "abc\tdef"},
        {"no TAB: the whole line", "abc\r\n", "abc"},
        {"300 characters without TAB", x300 + "\r\n", x300.substr(0, 85)},
        {"text after the TAB cut to 85", "1\t" + x300 + "\r\n", x300.substr(0, 85)},
        {"TAB past character 200 still found", std::string(250, 'k') + "\tabc\r\n", "abc"},
        {"blanks kept on both sides", "1\t  abc  \r\n", "  abc  "},
        {"only a TAB", "\t\r\n", ""},
        {"LF line end", "1\tabc\n2\tdef\n", "abc"},
        {"no last line end", "1\tabc", "abc"},
        {"UTF-8 letters count once", "1\t" + e100 + "\r\n", e100.substr(0, 170)},
        {"Windows-1252 letters", "1\t" + std::string(100, '\xE9') + "\r\n", e100.substr(0, 170)},
        // The "é" of line 2 makes the file UTF-8: an emoji alone could be Windows-1252.
        {"four-byte letter counts once",
         "1\t" + std::string(84, 'a') + "\xF0\x9F\x98\x80z\r\n2\t\xC3\xA9\r\n",
         std::string(84, 'a') + "\xF0\x9F\x98\x80"},
        {"byte-order mark dropped", "\xEF\xBB\xBF" "abc\r\n", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = Lang("T.PTC");
        WriteBytes(path, c.bytes);
        vor::MessageTable table = FilledTable("old");
        vor::LoadLanguageFile(path, table);
        EXPECT_EQ(table[1], c.expected);
        EXPECT_LE(vor::Utf8Length(table[1]), vor::kMessageLength);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LanguageTexts, ReaderFillsExactlyTheFirstThousandSlots)
{
    struct Case {
        int lines;
        long lastFromFile;
    };
    for (const Case c : {Case{10, 10}, Case{1001, 1000}, Case{0, 0}}) {
        SCOPED_TRACE(c.lines);
        std::string bytes;
        for (int n = 1; n <= c.lines; ++n)
            bytes += std::to_string(n) + "\tline " + std::to_string(n) + "\r\n";
        const fs::path path = Lang("T.PTC");
        WriteBytes(path, bytes);
        vor::MessageTable table = FilledTable("old");
        vor::LoadLanguageFile(path, table);
        for (long slot = 1; slot <= 1000; ++slot)
            ASSERT_EQ(table[slot], slot <= c.lastFromFile ? "line " + std::to_string(slot) : "")
                << "slot " << slot;
        // Line 1001 and beyond never reach the table.
        for (long slot = 1001; slot <= 1100; ++slot)
            ASSERT_EQ(table[slot], "old") << "slot " << slot;
    }
}

TEST_F(LanguageTexts, MissingFileShowsItsPathAndKeepsTheTable)
{
    const fs::path path = Lang("NONE.PTC");
    vor::MessageTable table = FilledTable("old");
    vor::LoadLanguageFile(path, table);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "File not found ! [" + path.string() + "]");
    for (long slot = 1; slot <= 1100; ++slot)
        ASSERT_EQ(table[slot], "old");
}

TEST_F(LanguageTexts, UnreadableFileIsAnError)
{
    fs::create_directory(Lang("DIR.PTC"));
    vor::MessageTable table;
    EXPECT_THROW(vor::LoadLanguageFile(Lang("DIR.PTC"), table), vor::IoError);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LanguageTexts, EveryLanguageLoadsItsFileCaptionsAndFixedTexts)
{
    WriteAllLanguageFiles();
    using Row = std::array<const char*, 8>;  // entries 1, 4 to 10
    const Row pt = {"Projetos", "Cálculo", "Visualiza", "Relatório",
                    "Etiqueta", "Configura", "Ajuda", "Saída"};
    const Row en = {"Projects", " Cut", "Layout", "Reports", "Labels", "Config", "Help", "Exit"};
    const Row es = {"Proyectos", "Cálculo", "Visualiza", "Informe",
                    "Etiqueta", "Configura", "Ayuda", "Salida"};
    const Row nl = {"Projecten", "Zichtbaar", "Layout", "Verslag",
                    "Etiket", "Config.", "Hulp", "Afsluiten"};
    const std::string en359 = "Ok - for \"double\" materials";
    const std::string es359 = "Ok - para materiales \"doble\"";
    const std::string en1008 = "The materials indicated with \" * \"  were not still visualized.";
    const std::string es1008 = "Los materiales indicaron con \" * \" todavía no se visualizó.";
    struct Case {
        Language language;
        Row captions;
        std::string text359, text1001, text1008;
        bool fixed930To1000;
    };
    const Case cases[] = {
        {kLanguages[0], pt, "Ok - para materiais \"duplos\"", "Cálculo especial de perímetro",
         "Os materiais indicados com \" * \" ainda não foram visualizados.", true},
        {kLanguages[1], en, en359, "Special calculation of perimeter", en1008, false},
        {kLanguages[2], es, es359, "Cálculo especial de perímetro", es1008, false},
        {kLanguages[3], nl, en359, "Special calculation of perimeter", en1008, false},
        {kLanguages[4], es, es359, "Cálculo especial de perímetro", es1008, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language.file);
        vor::gShared.languageIndex = c.language.index;
        vor::ApplyLanguage();
        const vor::MessageTable& m = vor::gShared.messages;
        const std::string tag = c.language.tag;
        EXPECT_EQ(vor::gShared.languageIndex, c.language.index);
        EXPECT_EQ(m[1], tag + " 1");
        EXPECT_EQ(m[929], tag + " 929");
        EXPECT_EQ(m[359], c.text359);
        EXPECT_EQ(m[617], "Auxílio para o usuário iniciante: passos iniciais");
        EXPECT_EQ(m[618], "Apresentar sempre este menu");
        EXPECT_EQ(m[1001], c.text1001);
        EXPECT_EQ(m[1008], c.text1008);
        if (c.fixed930To1000) {
            EXPECT_EQ(m[930], "Peças maiores que as chapas");
            EXPECT_EQ(m[959], "Sistema de orçamentos / MRP ");
            EXPECT_EQ(m[992], " e para a geração de relatórios");
            EXPECT_EQ(m[1000], "Infinito");
        } else {
            for (long slot = 930; slot <= 1000; ++slot)
                ASSERT_EQ(m[slot], tag + " " + std::to_string(slot));
        }
        for (long slot = 1009; slot <= 1100; ++slot)
            ASSERT_EQ(m[slot], "");
        const vor::IconCaptionTable& cap = vor::gShared.iconCaptions;
        EXPECT_EQ(cap[1], c.captions[0]);
        EXPECT_EQ(cap[2], "");
        EXPECT_EQ(cap[3], "");
        for (long entry = 4; entry <= 10; ++entry)
            EXPECT_EQ(cap[entry], c.captions[static_cast<std::size_t>(entry - 3)]) << entry;
        EXPECT_EQ(ReadBytes(inst.base() / "IDIO.NUM"),
                  std::to_string(c.language.index) + "\r\n");
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LanguageTexts, FixedTextsFitTheirSlots)
{
    for (int language = 1; language <= vor::kLanguageCount; ++language) {
        vor::MessageTable table;
        vor::WriteFixedTexts(language, table);
        for (long slot = 1; slot <= 1100; ++slot)
            ASSERT_LE(vor::Utf8Length(table[slot]), vor::kMessageLength) << slot;
        for (const vor::IconCaptionTable captions = vor::IconCaptionsOf(language);
             long entry : {1, 4, 5, 6, 7, 8, 9, 10})
            ASSERT_LE(vor::Utf8Length(captions[entry]), 20u);
    }
}

TEST_F(LanguageTexts, SwitchingFromPortugueseRestoresTheFileTexts)
{
    WriteAllLanguageFiles();
    vor::gShared.languageIndex = 1;
    vor::ApplyLanguage();
    ASSERT_EQ(vor::gShared.messages[997], "análises diversas. Pode-se comparar soluções que ");
    vor::gShared.languageIndex = 2;
    vor::ApplyLanguage();
    for (long slot = 930; slot <= 1000; ++slot)
        ASSERT_EQ(vor::gShared.messages[slot], "EN " + std::to_string(slot));
    EXPECT_EQ(vor::gShared.messages[359], "Ok - for \"double\" materials");
}

TEST_F(LanguageTexts, MissingLanguageFileKeepsTheTextsAndStillFixesSlots)
{
    WriteBytes(Lang("PORT.PTC"), LanguageFixture("PT"));
    vor::gShared.languageIndex = 1;
    vor::ApplyLanguage();
    vor::gShared.languageIndex = 2;  // no ENG.PTC
    vor::ApplyLanguage();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "File not found ! [" + Lang("ENG.PTC").string() + "]");
    EXPECT_EQ(vor::gShared.messages[1], "PT 1");
    EXPECT_EQ(vor::gShared.messages[930], "Peças maiores que as chapas");
    EXPECT_EQ(vor::gShared.messages[1001], "Special calculation of perimeter");
    EXPECT_EQ(vor::gShared.iconCaptions[4], " Cut");
    EXPECT_EQ(ReadBytes(inst.base() / "IDIO.NUM"), "2\r\n");
}

TEST_F(LanguageTexts, LanguageOutsideOneToFiveIsTakenAsPortuguese)
{
    WriteAllLanguageFiles();
    for (int language : {0, 6, 7, -1}) {
        SCOPED_TRACE(language);
        vor::gShared.messages.Fill({});
        vor::gShared.languageIndex = language;
        vor::ApplyLanguage();
        EXPECT_EQ(vor::gShared.languageIndex, 1);
        EXPECT_EQ(vor::gShared.messages[1], "PT 1");
        EXPECT_EQ(vor::gShared.iconCaptions[1], "Projetos");
        EXPECT_EQ(ReadBytes(inst.base() / "IDIO.NUM"), "1\r\n");
    }
}

TEST_F(LanguageTexts, HookSeesTheNewLanguageBeforeTheNumberFileIsWritten)
{
    WriteAllLanguageFiles();
    int calls = 0;
    std::string caption, recursos;
    bool numberFileThere = true;
    vor::SetLanguageAppliedHook([&] {
        ++calls;
        caption = vor::gShared.iconCaptions[1];
        recursos = vor::Msg(834);
        numberFileThere = fs::exists(inst.base() / "IDIO.NUM");
    });
    vor::gShared.languageIndex = 4;
    vor::ApplyLanguage();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(caption, "Projecten");
    EXPECT_EQ(recursos, "NL 834");
    EXPECT_FALSE(numberFileThere);
    vor::SetLanguageAppliedHook({});
    vor::ApplyLanguage();
    EXPECT_EQ(calls, 1);
}

TEST_F(LanguageTexts, NumberFileThatCannotBeWrittenIsAnError)
{
    WriteAllLanguageFiles();
    fs::create_directory(inst.base() / "IDIO.NUM");
    vor::gShared.languageIndex = 3;
    EXPECT_THROW(vor::ApplyLanguage(), vor::IoError);
    EXPECT_EQ(vor::gShared.messages[1], "ES 1");
}

TEST_F(LanguageTexts, TemplateWritesTheFirst929SlotsOfDutch)
{
    std::string dutch = LanguageFixture("NL");
    // Line 2 holds a letter outside ASCII, in Windows-1252.
    dutch.replace(dutch.find("\r\n") + 2, std::string("2\tNL 2").size(), "2\tcaf\xE9");
    WriteBytes(Lang("NEED.PTC"), dutch);
    vor::gShared.languageIndex = 1;
    TempDir elsewhere;
    const vortest::ScopedCwd cwd(elsewhere.path());

    vor::ExportTranslationTemplate();

    EXPECT_EQ(vor::gShared.languageIndex, 4);
    EXPECT_FALSE(fs::exists(elsewhere.path() / "NEED.PTC"));
    EXPECT_EQ(ReadBytes(Lang("NEED.PTC")), dutch);
    const std::string bytes = ReadBytes(inst.base() / "NEED.PTC");
    const std::vector<std::string> lines = vor::SplitTextLines(bytes);
    ASSERT_EQ(lines.size(), 929u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_NE(bytes.find("1\tNL 1\r\n2\tcaf\xE9\r\n3\tNL 3\r\n"), std::string::npos);
    EXPECT_EQ(lines[358], "359\tOk - for \"double\" materials");
    EXPECT_EQ(lines[616], "617\tAux\xEDlio para o usu\xE1rio iniciante: passos iniciais");
    EXPECT_EQ(lines[928], "929\tNL 929");
    EXPECT_EQ(ReadBytes(inst.base() / "IDIO.NUM"), "4\r\n");
}

TEST_F(LanguageTexts, MsgReadsTheSharedTableAndChecksTheSlot)
{
    vor::gShared.messages[1] = "first";
    vor::gShared.messages[1100] = "last";
    EXPECT_EQ(vor::Msg(1), "first");
    EXPECT_EQ(vor::Msg(1100), "last");
    EXPECT_THROW(vor::Msg(0), vor::RangeError);
    EXPECT_THROW(vor::Msg(1101), vor::RangeError);
}

TEST_F(LanguageTexts, LanguageFileNames)
{
    const vor::DataFolders f = vor::MakeDataFolders("/b");
    for (const Language& l : kLanguages)
        EXPECT_EQ(vor::LanguageFile(f, l.index), fs::path("/b/LANG") / l.file);
    EXPECT_THROW(vor::LanguageFile(f, 6), vor::RangeError);
}

}  // namespace
