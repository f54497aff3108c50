#include "vorplan/orders/ui/piece_listing_action.h"

#include <QCheckBox>
#include <exception>

#include "platform/message_service.h"
#include "vorplan/common/globals.h"
#include "vorplan/orders/piece_listing.h"
#include "vorplan/orders/ui/table_window.h"

namespace vor {

void ShowTablePieceListing(Ttabela& window, bool budget)
{
    const ProjectDescription& identification = window.Document().Description();
    PieceListingInput input;
    input.rows = window.Grid().PieceRows();
    input.orderNumber = window.Document().Number();
    input.description = identification.description;
    input.fields = identification.fields;
    input.fieldTitles = window.Settings().fieldTitles;
    input.budget = budget;
    input.printPerimeter = window.Check_perimetro->isChecked();
    input.roundedArea = window.Check_area_arred->isChecked();
    input.currency = gShared.settings.money;
    input.roundingTypeOne = gShared.settings.roundingTypeOne;
    input.showDecimals = gShared.settings.showDecimals;
    try {
        ShowPieceListing(std::move(input));
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
}

void InstallPieceListingHooks()
{
    TableEditorExtensions().print = [](Ttabela& window) { ShowTablePieceListing(window, false); };
    TableEditorExtensions().budget = [](Ttabela& window) { ShowTablePieceListing(window, true); };
}

}  // namespace vor
