#include "vorplan/common/language_texts.h"

#include <array>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/message_service.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/state_files.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

struct FixedText {
    long slot;
    const char* text;
};

// Used by languages 2 and 4.
constexpr FixedText kEnglishTexts[] = {
    {359, "Ok - for \"double\" materials"},
    {1001, "Special calculation of perimeter"},
    {1002, "Smaller sides"},
    {1003, "Larger sides"},
    {1004, "All the sides"},
    {1005, "Print label of layout identification"},
    {1006, "Update the amounts of offcuts in stock"},
    {1007, "removing the offcuts used in these layouts"},
    {1008, "The materials indicated with \" * \"  were not still visualized."},
};

// Used by languages 3 and 5.
constexpr FixedText kSpanishTexts[] = {
    {359, "Ok - para materiales \"doble\""},
    {1001, "Cálculo especial de perímetro"},
    {1002, "Lados más pequeños"},
    {1003, "Lados más grandes"},
    {1004, "Todos los lados"},
    {1005, "Impresión de etiqueta de identificación del esquema"},
    {1006, "Actualizar las cantidades de retazos en existencia"},
    {1007, "conforme los retazos utilizadas en estos montajes"},
    {1008, "Los materiales indicaron con \" * \" todavía no se visualizó."},
};

// Portuguese keeps 930-1000 in the program, so its file never supplies them.
constexpr FixedText kPortugueseTexts[] = {
    {359, "Ok - para materiais \"duplos\""},
    {930, "Peças maiores que as chapas"},
    {931, "Dividir peças para caberem nas chapas"},
    {932, "Para chapas a serem compradas"},
    {933, "ou cortadas de uma bobina"},
    {934, "Acabamento"},
    {935, "Mesclar"},
    {936, "Importar"},
    {937, "Continuar"},
    {938, "Fonte de dados"},
    {939, "Mudar"},
    {940, "Excel / Word (via clipboard)"},
    {941, "Arquivo CSV"},
    {942, "Vorlane em outro computador em rede"},
    {943, "Projeto"},
    {944, "criado"},
    {945, "linhas"},
    {946, "Multiplicador"},
    {947, "Projetos a serem \"somados\""},
    {948, "Para modificar os multiplicadores,"},
    {949, "selecione um dos projetos"},
    {950, "Limitado"},
    {951, "Comprimento máximo de corte (usado em guilhotinas)"},
    {952, "Exportar"},
    {953, "Preço"},
    {954, "Preço de material"},
    {955, "Preço de corte"},
    {956, "Constante"},
    {957, "Valores usados para o cálculo de relatórios"},
    {958, "Arquivo texto (delimitador Tab)"},
    {959, "Sistema de orçamentos / MRP "},
    {960, "Preço total"},
    {961, "Tipo"},
    {962, "Relatório em formato texto para visualização / edição / impressão"},
    {963, "Valores numéricos para processamento externo"},
    {964, "Abrir editor associado após a exportação"},
    {965, "Arquivo RTF"},
    {966, "Atualiza estoque"},
    {967, "Máquina de corte CNC"},
    {968, "com cabeçalho"},
    {969, "não instalado"},
    {970, "Resumo"},
    {971, "Dados da área de transferência"},
    {972, "Instruções"},
    {973, "Siga as instruções ou pressione"},
    {974, "Selecione o drive do outro computador que contém o Vorlane instalado"},
    {975, "Máquina ligada em rede"},
    {976, "Configuração do cálculo"},
    {977, "Nome"},
    {978, "Trocar valores de largura e altura"},
    {979, "Esta fórmula é específica para determinados usuários."},
    {980, "Caso necessite de uma fórmula diferente, consulte"},
    {981, "Visualização"},
    {982, "[cód.] [qtd] [Largura] [Altura] [Número do material] [Descrição]"},
    {983, "Cabeçalhos adicionais"},
    {984, "Tamanho do fonte"},
    {985, "Cor do fonte"},
    {986, "Campos necessários"},
    {987, "Disco inválido ou sem o Vorlane 2001 instalado"},
    {988, "já existe no diretório local. Sobre escreve ?"},
    {989, "Não há discos de rede mapeados"},
    {990, "Criado / modificado por"},
    {991, "Os valores aqui definidos são usados para o cálculo de corte das chapas"},
    {992, " e para a geração de relatórios"},
    {993, "Análise \"O que acontece se\""},
    {994, "Permite cálculos com algumas peças não posicionadas, devido"},
    {995, "a seu tamanho ou por quantidade insuficiente de chapas para cortar."},
    {996, "A análise \"O que acontece se\" permite ao usuário executar"},
    {997, "análises diversas. Pode-se comparar soluções que "},
    {998, "produzem melhor rendimento - entre outras variações - "},
    {999, "conforme as exigências operacionais e empresariais."},
    {1000, "Infinito"},
    {1001, "Cálculo especial de perímetro"},
    {1002, "Lados menores"},
    {1003, "Lados maiores"},
    {1004, "Todos os lados"},
    {1005, "Imprimir etiqueta identificadora de layout"},
    {1006, "Atualizar as quantidades de retalhos em estoque"},
    {1007, "retirando os retalhos utilizados nestas montagens"},
    {1008, "Os materiais indicados com \" * \" ainda não foram visualizados."},
};

constexpr FixedText kEveryLanguageTexts[] = {
    {617, "Auxílio para o usuário iniciante: passos iniciais"},
    {618, "Apresentar sempre este menu"},
};

// Entries 1 and 4 to 10; 2 and 3 are shown nowhere and stay empty.
using CaptionRow = std::array<const char*, 8>;
constexpr CaptionRow kPortugueseCaptions = {"Projetos", "Cálculo", "Visualiza", "Relatório",
                                            "Etiqueta", "Configura", "Ajuda",     "Saída"};
constexpr CaptionRow kEnglishCaptions = {"Projects", " Cut",   "Layout", "Reports",
                                         "Labels",   "Config", "Help",   "Exit"};
constexpr CaptionRow kSpanishCaptions = {"Proyectos", "Cálculo",   "Visualiza", "Informe",
                                         "Etiqueta",  "Configura", "Ayuda",     "Salida"};
constexpr CaptionRow kDutchCaptions = {"Projecten", "Zichtbaar", "Layout", "Verslag",
                                       "Etiket",    "Config.",   "Hulp",   "Afsluiten"};

constexpr std::array<const char*, kLanguageCount> kLanguageFileNames = {
    "PORT.PTC", "ENG.PTC", "ESPA.PTC", "NEED.PTC", "ESPA2.PTC"};

void CheckLanguage(int language)
{
    if (language < 1 || language > kLanguageCount)
        throw RangeError("Erro de intervalo: idioma " + std::to_string(language) + " fora de 1.." +
                         std::to_string(kLanguageCount));
}

template <std::size_t N>
void Put(const FixedText (&texts)[N], MessageTable& table)
{
    for (const FixedText& t : texts)
        table[t.slot] = t.text;
}

std::function<void()>& LanguageAppliedHook()
{
    static std::function<void()> hook;
    return hook;
}

}  // namespace

const std::string& Msg(long slot)
{
    return gShared.messages[slot];
}

int ValidLanguageIndex(int language)
{
    return language >= 1 && language <= kLanguageCount ? language : 1;
}

fs::path LanguageFile(const DataFolders& folders, int language)
{
    CheckLanguage(language);
    return folders.base / "LANG" / kLanguageFileNames[static_cast<std::size_t>(language - 1)];
}

void LoadLanguageFile(const fs::path& path, MessageTable& table)
{
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        platform::ShowMessage("File not found ! [" + path.string() + "]");
        return;
    }
    const std::vector<std::string> lines = ReadTextLinesOrThrow(path);
    for (long slot = 1; slot <= kMessageFileLines; ++slot) {
        const std::size_t index = static_cast<std::size_t>(slot - 1);
        const std::string_view line = index < lines.size() ? std::string_view(lines[index]) : "";
        const std::size_t tab = line.find('\t');
        const std::string_view text = tab == std::string_view::npos ? line : line.substr(tab + 1);
        table[slot] = Utf8Left(Utf8Left(text, kLanguageLineLength), kMessageLength);
    }
}

IconCaptionTable IconCaptionsOf(int language)
{
    CheckLanguage(language);
    const CaptionRow* row = &kPortugueseCaptions;
    switch (language) {
    case 2: row = &kEnglishCaptions; break;
    case 3:
    case 5: row = &kSpanishCaptions; break;
    case 4: row = &kDutchCaptions; break;
    default: break;
    }
    IconCaptionTable captions;
    captions[1] = (*row)[0];
    for (long entry = 4; entry <= 10; ++entry)
        captions[entry] = (*row)[static_cast<std::size_t>(entry - 3)];
    return captions;
}

void WriteFixedTexts(int language, MessageTable& table)
{
    switch (language) {
    case 1: Put(kPortugueseTexts, table); break;
    case 2:
    case 4: Put(kEnglishTexts, table); break;
    case 3:
    case 5: Put(kSpanishTexts, table); break;
    default: break;
    }
    Put(kEveryLanguageTexts, table);
}

int LoadLanguage(const DataFolders& folders, int language, MessageTable& messages,
                 IconCaptionTable& captions)
{
    const int used = ValidLanguageIndex(language);
    captions = IconCaptionsOf(used);
    LoadLanguageFile(LanguageFile(folders, used), messages);
    WriteFixedTexts(used, messages);
    return used;
}

void ApplyLanguage()
{
    gShared.languageIndex =
        LoadLanguage(gShared.folders, gShared.languageIndex, gShared.messages, gShared.iconCaptions);
    if (const std::function<void()>& hook = LanguageAppliedHook())
        hook();
    WriteLanguageNumber();
}

void SetLanguageAppliedHook(std::function<void()> hook)
{
    LanguageAppliedHook() = std::move(hook);
}

void ExportTranslationTemplate()
{
    gShared.languageIndex = 4;
    ApplyLanguage();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(kTemplateLines));
    for (long slot = 1; slot <= kTemplateLines; ++slot)
        lines.push_back(std::to_string(slot) + "\t" + gShared.messages[slot]);
    WriteTextLines(BaseFile(gShared.folders, "NEED.PTC"), lines);
}

}  // namespace vor
