#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/small_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/optimiser/layout_files.h"

namespace vortest {

constexpr long long kViewerMaterial = 7;

// The layouts of the report fixture: two on one sheet size with repetition
// fields 0 and 2 (layout 1 with trims), one cut from an offcut.
inline const std::vector<std::string> kReportLayout1 = {
    "; Arquivo de distribuição ( Modificado )", "", ";Tipo  Cód.     X     Y     L     H ", "",
    "    0     3     0     0   27500   18300 Chapa_A 0",
    "    5     0   100   150      50      80 Borda 0",
    "    1   101     0     0    6030    4040 Porta_@1 12",
    "    1   102  6070     0    5040    8035 Tampo_@3 15",
    "    4     1  3572  4080    2458    2040 --- 0",
    "    2     0     0  8075   11110    9000 Retalho 0"};
inline const std::vector<std::string> kReportLayout2 = {
    "    0     3     2     0   27500   18300 Chapa_A 0",
    "    5     0     0     0       0       0 Borda 0",
    "    1   101     0     0    6030    4040 Porta_@1 12"};
inline const std::vector<std::string> kReportLayout3 = {  // cut from an offcut
    "    0    -5     0     0   10000    8000 Retalho_7 0",
    "    5     0     0     0       0       0 Borda 0",
    "    1   103     0     0    3532    2040 Gaveta 15"};

// Two pieces side by side under a third, the offcut on the right: their top
// edges make one merged line.
inline const std::vector<std::string> kRoutedLayout = {
    "    0     3     0     0   20000   12000 Chapa 0",
    "    5     0     0     0       0       0 Borda 0",
    "    1   101     0     0    5000    3000 A 0",
    "    1   102  5000     0    5000    3000 B 0",
    "    1   103     0  3000   10000    4000 C 0",
    "    2     0 10000     0   10000   12000 Retalho 0",
    "    2     0     0  7000   10000    5000 Retalho 0"};

// The files the general report reads besides the layouts: the calculation
// data and stamp, the project line, two orders with their piece tables, and
// material kViewerMaterial's file.
inline void WriteReportFixtureFiles(const vor::DataFolders& f)
{
    WriteBytes(vor::CalcDataFile(f),
               vor::EncodeTextLines({"[DADOS_ULT_CALC]", "PECAS_SELECIONADAS=6",
                                     "PECAS_POSICIONADAS=5", "S_STATUS=Completo",
                                     "[DADOS_CONF_CALC]", "S_TIP_CALC=Rápido",
                                     "BORDA_PECA_L=20", "BORDA_PECA_H=20"}));
    WriteBytes(f.mont / "DATA_CO.INF", vor::EncodeTextLines({"04/03/24  09:30:00"}));
    vor::WriteLastListName(f, "12~Cozinha Silva~42~01/03/24");
    WriteBytes(f.mont / "PRJ.SEQ", vor::EncodeTextLines({"12", "15"}));
    WriteBytes(vor::OrderTableFile(f, 12, true),
               vor::EncodeTextLines({"1 101 2 603 404 7 Porta_do_armário", "0 104 1 100 100 7 off",
                                     "1 105 1 100 100 8 outro_material"}));
    WriteBytes(vor::OrderTableFile(f, 15, true),
               vor::EncodeTextLines({"1 102 1 504 803.5 7 Tampo", "1 103 3 353.2 204 7 ---"}));
    WriteBytes(vor::MaterialFile(f, kViewerMaterial),
               vor::EncodeTextLines({"[DESC]", "CAMPO1=MDF 15 mm", "[PROP_FISIC]", "LARG_SERRA=4",
                                     "PESO_ESP=10", "CTE_DIM_ESQ_CHP=10", "CTE_DIM_DIR_CHP=15",
                                     "[PROP_COMERC]", "PRECO_COMPRA=25.5"}));
}

// An element's place and size, compared and printed in tests.
struct Rect {
    int x, y, l, h;
    bool operator==(const Rect&) const = default;
};

inline Rect RectOf(const vor::ViewerElement& e) { return {e.x, e.y, e.length, e.height}; }

inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.x << ", " << r.y << ", " << r.l << " x " << r.h << ")";
}

// Message slot n reads "<n>" while the object lives, so golden texts show
// which message stands where; the shared table is restored afterwards.
class StubMessages {
public:
    StubMessages() : m_saved(vor::gShared.messages)
    {
        for (long n = 1; n <= vor::kMessageSlots; ++n)
            vor::gShared.messages[n] = "<" + std::to_string(n) + ">";
    }
    ~StubMessages() { vor::gShared.messages = m_saved; }
    StubMessages(const StubMessages&) = delete;
    StubMessages& operator=(const StubMessages&) = delete;

private:
    vor::MessageTable m_saved;
};

// The shipped Portuguese texts in the message table while the object lives,
// so captions read as a user sees them; the table is restored afterwards.
class ShippedTexts {
public:
    ShippedTexts() : m_saved(vor::gShared.messages)
    {
        vor::LoadLanguageFile(fs::path(VOR_BINARY_DIR) / "vorlane" / "LANG" / "PORT.PTC",
                              vor::gShared.messages);
    }
    ~ShippedTexts() { vor::gShared.messages = m_saved; }
    ShippedTexts(const ShippedTexts&) = delete;
    ShippedTexts& operator=(const ShippedTexts&) = delete;

private:
    vor::MessageTable m_saved;
};

// A material with kerf 4 mm, offcuts of at least 250 x 300 mm, remainders of
// at least 50 mm.
inline vor::LayoutMaterial ViewerMaterial()
{
    vor::LayoutMaterial m;
    m.code = kViewerMaterial;
    m.description = "MDF 15 mm";
    m.kerf = 40;
    m.minOffcutWidth = 2500;
    m.minOffcutHeight = 3000;
    m.minRemainder = 500;
    m.makesOffcuts = true;
    return m;
}

// An installation whose viewer reads material kViewerMaterial.
class ViewerFixture {
public:
    ViewerFixture()
    {
        inputs.folders = vor::MakeDataFolders(inst.base());
        inputs.material = ViewerMaterial();
    }

    fs::path Mon(long long n) const { return vor::LayoutFile(inputs.folders, n, kViewerMaterial); }

    void WriteMon(long long n, const std::vector<std::string>& lines) const
    {
        WriteBytes(Mon(n), vor::EncodeTextLines(lines));
    }

    // A layout file as the optimiser writes it, from temporary-file lines
    // (sheet, pieces, discarded rectangles) and the borders in effect.
    void WriteOptimiserMon(long long n, const std::vector<std::string>& tempLines,
                           vor::SheetBorders borders = {}) const
    {
        vor::LayoutFileSettings settings;
        settings.borders = borders;
        settings.stockSheetText = "Chapa";
        settings.offcutSheetText = "Retalho";
        vor::OrderTable orders;
        long long placed = 0;
        WriteMon(n, vor::LayoutFileLines(tempLines, settings, orders, placed));
    }

    vortest::TestInstallation inst;
    vor::LayoutInputs inputs;
    vor::LayoutState state;
};

}  // namespace vortest
