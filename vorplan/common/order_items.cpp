#include "vorplan/common/order_items.h"

#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/language_texts.h"

namespace vor {

namespace {

constexpr int kOrderNumberWidth = 3;
constexpr std::size_t kOrderItemDescriptionLength = 60;

}  // namespace

std::string OrderItemText(const OrderRecord& record)
{
    return IntToStrPad(record.number, -kOrderNumberWidth) + "~" +
           Utf8Left(record.description, kOrderItemDescriptionLength) + "~" + record.date + "~" +
           StatusText(record.status);
}

std::vector<std::string> OrderItems(const OrderList& list)
{
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list.count));
    for (long i = 1; i <= list.count; ++i)
        items.push_back(OrderItemText(list.records[i]));
    return items;
}

void SetupOrderListColumns(ColumnSet& columns, int xWidth)
{
    columns.titles[1] = Msg(11) + " ";
    columns.titles[2] = Msg(33) + std::string(46, ' ');
    columns.titles[3] = Msg(274) + std::string(5, ' ');
    columns.titles[4] = "   " + Msg(656) + "   ";
    columns.titles[5] = "Status  ";
    columns.count = 5;
    ComputeColumnPositions(columns, xWidth);
}

}  // namespace vor
