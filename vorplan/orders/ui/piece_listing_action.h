#pragma once

namespace vor {

class Ttabela;

// The piece listing (budget false, "Imprime") or the budget ("Orçamento") of
// what the editor shows, saved or not, opened in ostrel. A report that cannot
// be written is shown as a message and nothing is started.
void ShowTablePieceListing(Ttabela& window, bool budget);

// Plugs both into the table editor's pop-up menu.
void InstallPieceListingHooks();

}  // namespace vor
