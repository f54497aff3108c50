#pragma once

#include <string>
#include <vector>

#include "vorplan/common/list_helpers.h"
#include "vorplan/common/order_list.h"

namespace vor {

// The order lists of the calculation window and the project manager: one item
// per order record, five "~" fields (number, description, pieces, date,
// status text), under one column set.

// The number left-padded with blanks to 3 characters + "~" + the first 60
// characters of the record's description (which carries "~" and the pieces
// total) + "~" + the date + "~" + the status text.
std::string OrderItemText(const OrderRecord& record);

// The items of records 1 to count, in list order.
std::vector<std::string> OrderItems(const OrderList& list);

// The order list columns: message 11 + " ", message 33 + 46 blanks, message
// 274 + 5 blanks, message 656 between 3 blanks on each side and "Status  ",
// count 5 (title 6 is left as it is); then the positions for `xWidth`, the
// pixel width of "x" in the list's font.
void SetupOrderListColumns(ColumnSet& columns, int xWidth);

}  // namespace vor
