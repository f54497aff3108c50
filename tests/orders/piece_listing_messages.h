#pragma once

#include "vorplan/common/language_texts.h"

namespace vortest {

// The Portuguese texts of the messages the piece listing and budget use.
inline void SetPieceListingMessages(vor::MessageTable& m)
{
    m[32] = "Código";
    m[33] = "Descrição";
    m[97] = "Como matéria prima, utilizar:";
    m[142] = "Largura";
    m[143] = "Altura";
    m[510] = "Quantidade";
    m[541] = "Preço de compra (m2)";
    m[573] = "Total de peças";
    m[574] = "Área total";
    m[575] = "Área total arredondada";
    m[576] = "Perímetro total";
    m[577] = "Total geral";
    m[578] = "Orçamento do projeto";
    m[579] = "Listagem de peças do projeto";
    m[580] = "Descrição:";
    m[799] = "O arquivo";
    m[800] = "não foi encontrado.";
    m[954] = "Preço de material";
    m[955] = "Preço de corte";
    m[960] = "Preço total";
}

}  // namespace vortest
