#include "ostrel/ostrel_captions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace ostrel;

namespace {

using Member = std::string Captions::*;

// Every plain caption of the windows, by name for the failure message.
const std::vector<std::pair<const char*, Member>> kCaptions = {
    {"printButton", &Captions::printButton},       {"printHint", &Captions::printHint},
    {"configureButton", &Captions::configureButton}, {"configureHint", &Captions::configureHint},
    {"searchButton", &Captions::searchButton},     {"searchHint", &Captions::searchHint},
    {"indexButton", &Captions::indexButton},       {"indexHint", &Captions::indexHint},
    {"closeButton", &Captions::closeButton},       {"closeHint", &Captions::closeHint},
    {"fileLabel", &Captions::fileLabel},           {"linesLabel", &Captions::linesLabel},
    {"insertLine", &Captions::insertLine},         {"editLine", &Captions::editLine},
    {"deleteLine", &Captions::deleteLine},         {"deleteTable", &Captions::deleteTable},
    {"newLine", &Captions::newLine},               {"ok", &Captions::ok},
    {"cancel", &Captions::cancel},                 {"searchLabel", &Captions::searchLabel},
    {"matchCase", &Captions::matchCase},           {"settingsTitle", &Captions::settingsTitle}, {"page", &Captions::page},
    {"lineSpacing", &Captions::lineSpacing},       {"letterSize", &Captions::letterSize},
    {"tableColours", &Captions::tableColours},     {"titleColours", &Captions::titleColours},
    {"tableRules", &Captions::tableRules},         {"cursorBand", &Captions::cursorBand},
    {"margins", &Captions::margins},               {"marginLeft", &Captions::marginLeft},
    {"marginTop", &Captions::marginTop},           {"marginBottom", &Captions::marginBottom},
    {"header", &Captions::header},                 {"footer", &Captions::footer},
    {"footerHint", &Captions::footerHint},         {"rule", &Captions::rule},
    {"picture1", &Captions::picture1},             {"picture2", &Captions::picture2},
    {"pictureFile", &Captions::pictureFile},       {"pictureX", &Captions::pictureX},
    {"pictureY", &Captions::pictureY},             {"pictureWidth", &Captions::pictureWidth},
    {"pictureHeight", &Captions::pictureHeight},   {"printer", &Captions::printer},
    {"pageWidth", &Captions::pageWidth},           {"pageHeight", &Captions::pageHeight},
    {"printerSetup", &Captions::printerSetup},     {"saveSettings", &Captions::saveSettings},
    {"standard", &Captions::standard},             {"indexTitle", &Captions::indexTitle},
    {"indexHintLine1", &Captions::indexHintLine1}, {"indexHintLine2", &Captions::indexHintLine2},
    {"aboutTitle", &Captions::aboutTitle},         {"aboutProgram", &Captions::aboutProgram},
    {"aboutKeys", &Captions::aboutKeys},           {"aboutEditingHint", &Captions::aboutEditingHint},
    {"aboutFile", &Captions::aboutFile},           {"language", &Captions::language},
    {"printFailed", &Captions::printFailed},
};

TEST(OstrelCaptions, EveryCaptionExistsInEveryLanguage)
{
    for (const Language lang : {Language::Portuguese, Language::English, Language::Spanish}) {
        const Captions& c = CaptionsFor(lang);
        for (const auto& [name, member] : kCaptions)
            EXPECT_FALSE((c.*member).empty()) << name << " in language " << static_cast<int>(lang);
        for (const std::string& s : c.tableColourNames)
            EXPECT_FALSE(s.empty());
        for (const std::string& s : c.titleColourNames)
            EXPECT_FALSE(s.empty());
    }
}

TEST(OstrelCaptions, PortugueseTextsAreThoseOfTheWindowLayouts)
{
    const Captions& c = CaptionsFor(Language::Portuguese);
    EXPECT_EQ(c.tableColourNames[0], "Sem divisão");
    EXPECT_EQ(c.tableColourNames[5], "Azul / Vermelho");
    EXPECT_EQ(c.tableColourNames[6], "Azul / Verde");
    EXPECT_EQ(c.titleColourNames[0], "Sem côr");
    EXPECT_EQ(c.saveSettings, "Salvar modificações para o próximo relatório");
    EXPECT_EQ(c.cursorBand, "Faixa auxiliar na posição do cursor");
    EXPECT_EQ(c.tableRules, "Linhas horizontais em tabelas");
    EXPECT_EQ(c.indexTitle, "Indice");
    EXPECT_EQ(c.aboutTitle, "Sobre");
    EXPECT_EQ(c.newLine, "Linha nova");
    EXPECT_EQ(c.searchLabel, "Procurar:");
    EXPECT_EQ(c.matchCase, "Diferenciar a/A");
    EXPECT_EQ(c.searchButton, "Procura no texto");
    EXPECT_EQ(c.language, "Idioma=");
    EXPECT_EQ(c.indexHintLine1 + c.indexHintLine2,
              "Para selecionar qual item do texto se deseja visualizar,  selecione o "
              "item desejado, acionando em seguida o botão ENTER.");
}

TEST(OstrelCaptions, EnglishAndSpanishDifferFromPortuguese)
{
    const Captions& pt = CaptionsFor(Language::Portuguese);
    EXPECT_NE(CaptionsFor(Language::English).insertLine, pt.insertLine);
    EXPECT_NE(CaptionsFor(Language::Spanish).insertLine, pt.insertLine);
    EXPECT_NE(CaptionsFor(Language::English).saveSettings, CaptionsFor(Language::Spanish).saveSettings);
}

}  // namespace
