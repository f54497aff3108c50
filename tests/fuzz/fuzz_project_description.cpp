// A project description file as a user may bring it: any bytes must read,
// and what the table editor writes back must read the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/codec.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/orders/project_description.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using vorfuzz::Check;
using vorfuzz::Join;
using vorfuzz::Quoted;

bool AnyQuoted(const vor::ProjectDescription& d)
{
    const vor::PcbStripValues& p = d.pcb;
    for (const std::string* s :
         {&d.created, &d.description, &d.modifiedBy, &p.boardWidth, &p.boardHeight, &p.material,
          &p.wantedBoards, &p.minBoardsPerStrip, &p.maxBoardsPerStrip, &p.borderLeft,
          &p.borderRight, &p.borderTop, &p.borderBottom, &p.boardGap, &p.minStripWidth,
          &p.minStripHeight, &p.maxStripWidth, &p.maxStripHeight, &p.stripQuantity,
          &p.stripWidth, &p.stripHeight, &p.stripDescription}) {
        if (Quoted(*s))
            return true;
    }
    for (const std::string& f : d.fields) {
        if (Quoted(f))
            return true;
    }
    return false;
}

const std::vector<std::string> kPedKeys = {"CRIACAO", "ULT_MODIF", "STATUS", "CAMPO1", "CAMPO10",
                                           "CAMPO2",  "CAMPO3",    "CAMPO4", "CAMPO5", "CAMPO6",
                                           "CAMPO7",  "CAMPO8",    "CAMPO9"};
const std::vector<std::string> kPcbKeys = {
    "L_PCI",         "A_PCI",         "MAT",           "GIRA_PCI",       "QTD_DESEJADA",
    "MIN_PCI_POR_TIRA", "MAX_PCI_POR_TIRA", "BORDA_ESQ", "BORDA_DIR",    "BORDA_SUP",
    "BORDA_INF",     "ESP_ENTRE_PCI", "LARG_MIN_TIRA", "ALT_MIN_TIRA",   "LARG_MAX_TIRA",
    "ALT_MAX_TIRA",  "QUANT_TAB_TIRA", "LARG_TAB_TIRA", "ALT_TAB_TIRA",  "DESCRICAO_TAB_TIRA",
    "QTD_USU",       "LARG_USU",      "ALT_USU",       "DESC_USU"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text =
        vor::DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    vor::IniDocument doc = vor::IniDocument::Parse(text);
    const bool hadPed = doc.HasSection("PED");
    const bool hadPcb = doc.HasSection("PCB");
    const long long order = static_cast<long long>(size % 100000);

    const std::string then = "01/01/24  00:00:00";
    const std::string now = "02/02/24  12:00:00";
    const vor::ProjectDescription read = vor::ReadProjectDescription(doc, order, then, "PC - ana");
    Check(!read.description.empty());

    vor::SetProjectDescription(doc, read, now);
    const vor::IniDocument saved = vor::IniDocument::Parse(Join(doc));
    const vor::ProjectDescription again = vor::ReadProjectDescription(saved, order, "later", "other");
    Check(again.lastModified == now && again.status == read.status &&
          again.pcb.mayTurn == read.pcb.mayTurn);
    if (!hadPed)
        Check(saved.Keys("PED") == kPedKeys);
    if (!hadPcb)
        Check(saved.Keys("PCB") == kPcbKeys);
    if (!AnyQuoted(read)) {
        vor::ProjectDescription expected = read;
        expected.lastModified = now;
        Check(again == expected);
    }
    return 0;
}
