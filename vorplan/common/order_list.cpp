#include "vorplan/common/order_list.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/paths.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPed = "PED";
// An order has four digits in its side file's name (PEDnnnn.TXT).
constexpr long long kLargestSideFileNumber = 9999;

bool IsFile(const Path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// "PED" + five digits + ".TAB", exactly as the system names its tables.
bool IsOrderTableName(std::string_view name, int& number)
{
    if (name.size() != 12 || name.substr(0, 3) != "PED" || name.substr(8) != ".TAB")
        return false;
    number = 0;
    for (std::size_t i = 3; i < 8; ++i) {
        if (!IsDigit(name[i]))
            return false;
        number = number * 10 + (name[i] - '0');
    }
    return true;
}

std::string ShortDateText(const Path& path)
{
    const auto t = FileDateTime(path);
    if (!t)
        return {};
    auto two = [](int n) {
        std::string s = IntText(n % 100);
        return s.size() < 2 ? "0" + s : s;
    };
    return Utf8Left(two(t->day) + "/" + two(t->month) + "/" + two(t->year), kOrderDateLength);
}

// The list text of an order: the description (40 characters and "..." at
// most, else followed by three blanks), the PCB mark, then "~" and the pieces
// total. The reports split at that "~", so when the whole would pass 50
// characters the description gives way, then the mark, never the total.
std::string OrderListText(const std::string& description, bool pcb, long long pieces)
{
    std::string head = Utf8Length(description) > 40 ? Utf8Left(description, 40) + "..."
                                                    : description + "   ";
    const std::string mark = pcb ? "(" + Msg(324) + ")" : std::string();
    const std::string tail = "~" + IntText(pieces);
    const std::size_t room = kOrderDescriptionLength - Utf8Length(tail);
    const std::size_t markLength = Utf8Length(mark);
    if (Utf8Length(head) + markLength > room)
        head = Utf8Left(head, room > markLength ? room - markLength : 0);
    return Utf8Left(head + mark, room) + tail;
}

bool OrderFilesExist(const DataFolders& folders, long long number)
{
    if (number < 0 || number > kLargestOrderNumber)
        return false;
    return IsFile(OrderTableFile(folders, number, true)) ||
           IsFile(ProjectDescriptionFile(folders, number));
}

bool ListHolds(const OrderList& list, long long number)
{
    for (long i = 1; i <= list.count; ++i) {
        if (list.records[i].number == number)
            return true;
    }
    return false;
}

bool NumberTaken(const DataFolders& folders, const OrderList& list, long long number)
{
    return ListHolds(list, number) || OrderFilesExist(folders, number);
}

// Marks the main window busy for the life of the object, then puts back what
// was there: a scan inside a calculation must not end the calculation's mark.
class BusyScope {
public:
    BusyScope() : m_previous(gShared.busy) { gShared.busy = true; }
    ~BusyScope() { gShared.busy = m_previous; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool m_previous;
};

}  // namespace

// ---- One order's files ----------------------------------------------------------

TableTotals TotalListFile(const Path& path)
{
    TableTotals totals;
    if (!IsFile(path)) {
        platform::ShowMessage("file " + path.string() + "not found !!!");
        return totals;
    }
    const auto lines = ReadTextLines(path);
    if (!lines)
        return totals;
    SplitFieldArrays fields;
    for (const std::string& line : *lines) {
        ++totals.lines;
        SplitFieldsFirst15(line, ' ', fields);
        totals.pieces += fields.ints[3];
        totals.area += fields.reals[3] * fields.reals[4] * fields.reals[5];
        const int code = fields.ints[6];
        if (std::find(totals.materialCodes.begin(), totals.materialCodes.end(), code) ==
            totals.materialCodes.end())
            totals.materialCodes.push_back(code);
    }
    for (int code : totals.materialCodes)
        totals.materials += "_" + IntText(code);
    return totals;
}

TableTotals TotalListFile(const Path& path, OrderList& list)
{
    TableTotals totals = TotalListFile(path);
    list.lastTableMaterials = totals.materialCodes;
    return totals;
}

ProjectIniValues ReadProjectIni(const DataFolders& folders, long long order, OrderList& list)
{
    ProjectIniValues values;
    const Path path = ProjectDescriptionFile(folders, order);
    if (!IsFile(path)) {
        platform::ShowMessage("Erro INI 1: projeto " + IntText(order) + "  Arquivo [" +
                              path.string() + "] não localizado");
        values.description = "!!!";
        return values;
    }
    const IniFile ini(path);
    values.status = ini.ReadInteger(kPed, "STATUS", 0);
    values.description = ini.ReadString(kPed, "CAMPO1", "???");
    values.field10 = ini.ReadString(kPed, "CAMPO10", "");
    values.pcb = ini.ReadBool(kPed, "PCI", false);
    list.lastProjectField10 = values.field10;
    list.lastProjectPcb = values.pcb;
    return values;
}

ProjectIniValues ReadProjectIni(long long order)
{
    return ReadProjectIni(gShared.folders, order, gShared.orderList);
}

std::string GetProjectDescription(const DataFolders& folders, long long order, OrderList& list)
{
    return ReadProjectIni(folders, order, list).description;
}

std::string GetProjectDescription(long long order)
{
    return ReadProjectIni(order).description;
}

std::string ReadProjectField1(const Path& path)
{
    if (!IsFile(path)) {
        platform::ShowMessage("Erro INI 25: Arquivo [" + path.string() + "] não localizado");
        return "???";
    }
    return IniFile(path).ReadString(kPed, "CAMPO1", "???");
}

std::vector<std::string> NewProjectIniLines(std::string_view description, const platform::Clock& clock)
{
    std::string text(description);
    // A line break would end the key and start lines of its own.
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    const std::string stamp = DateTimeText(clock);
    return {"[PED]", "CRIACAO=" + stamp, "ULT_MODIF=" + stamp, "STATUS=0",
            "PCI=0", "CAMPO1=" + text, "CAMPO2=---"};
}

bool WriteNewProjectIni(const Path& path, std::string_view description, const platform::Clock& clock)
{
    try {
        WriteTextLines(path, NewProjectIniLines(description, clock));
    } catch (const IoError&) {
        return false;
    }
    return true;
}

bool WriteNewProjectIni(const Path& path, std::string_view description)
{
    return WriteNewProjectIni(path, description, platform::GetClock());
}

std::string StatusText(int status)
{
    if (status >= 0 && status <= 3)
        return Msg(808 + status);
    return "error";
}

bool DeleteOrderFiles(const DataFolders& folders, long long order, bool internal)
{
    if (order < 0 || order > kLargestOrderNumber)
        return false;
    std::error_code ec;
    fs::remove(OrderTableFile(folders, order, internal), ec);
    if (!internal || order <= kLargestSideFileNumber)
        fs::remove(OrderSideFile(folders, order, internal), ec);
    fs::remove(ProjectDescriptionFile(folders, order), ec);
    return true;
}

bool DeleteOrderFiles(long long order)
{
    struct CurrentOrderScope {
        long long previous = gShared.currentOrder;
        ~CurrentOrderScope() { gShared.currentOrder = previous; }
    } scope;
    gShared.currentOrder = order;
    const bool internal = IniFile(MainSettingsFile()).ReadBool("CALC", "INTERNO", true);
    return DeleteOrderFiles(gShared.folders, order, internal);
}

// ---- The list ---------------------------------------------------------------

void ScanOrderFiles(const DataFolders& folders, OrderList& list)
{
    list.count = 0;
    bool full = false;
    const Path pattern = OrderTablePattern(folders);
    for (const std::string& name : ListFolder(pattern.parent_path(), pattern.filename().string())) {
        int number = 0;
        if (!IsOrderTableName(name, number))
            continue;  // a stray file must not hide the orders after it
        const Path table = folders.ped / name;
        const TableTotals totals = TotalListFile(table, list);
        if (totals.lines == 0)
            continue;
        if (list.count == kOrderListSlots) {
            full = true;
            break;
        }
        OrderRecord& record = list.records[++list.count];
        record = OrderRecord{};
        record.number = number;
        record.date = ShortDateText(table);
        record.lines = totals.lines;
        record.pieces = totals.pieces;
        record.area = totals.area;
        record.spare = totals.spare;
        record.materials = totals.materials;
    }
    for (long i = 1; i <= list.count; ++i) {
        OrderRecord& record = list.records[i];
        const ProjectIniValues values = ReadProjectIni(folders, record.number, list);
        record.pcb = values.pcb;
        record.status = values.status;
        record.description = OrderListText(values.description, values.pcb, record.pieces);
    }
    if (full)
        platform::ShowMessage(Msg(598));
}

void ScanOrderFiles()
{
    const BusyScope busy;
    ScanOrderFiles(gShared.folders, gShared.orderList);
}

void SortOrderList(OrderList& list)
{
    std::vector<OrderRecord> records;
    records.reserve(static_cast<std::size_t>(list.count));
    for (long i = 1; i <= list.count; ++i)
        records.push_back(std::move(list.records[i]));
    std::stable_sort(records.begin(), records.end(),
                     [](const OrderRecord& a, const OrderRecord& b) { return a.number < b.number; });
    for (long i = 1; i <= list.count; ++i)
        list.records[i] = std::move(records[static_cast<std::size_t>(i - 1)]);
}

void RefreshOrderListIfDirty(const DataFolders& folders, OrderList& list)
{
    if (!list.dirty)
        return;
    ScanOrderFiles(folders, list);
    SortOrderList(list);
    list.dirty = false;
}

void RefreshOrderListIfDirty()
{
    if (!gShared.orderList.dirty)
        return;
    const BusyScope busy;
    RefreshOrderListIfDirty(gShared.folders, gShared.orderList);
}

bool OrderNumberExists(const DataFolders& folders, OrderList& list, long long number)
{
    RefreshOrderListIfDirty(folders, list);
    return NumberTaken(folders, list, number);
}

bool OrderNumberExists(long long number)
{
    RefreshOrderListIfDirty();
    return NumberTaken(gShared.folders, gShared.orderList, number);
}

namespace {

long long ProposeFromList(const DataFolders& folders, const OrderList& list, bool firstGap)
{
    if (!firstGap) {
        long long next = 0;
        for (long i = 1; i <= list.count; ++i)
            next = std::max(next, static_cast<long long>(list.records[i].number) + 1);
        for (long long n = next; n <= kLargestOrderNumber; ++n) {
            if (!NumberTaken(folders, list, n))
                return n;
        }
    }
    for (long long n = 0; n <= kLargestOrderNumber; ++n) {
        if (!NumberTaken(folders, list, n))
            return n;
    }
    throw RangeError("Erro de intervalo: nenhum número de projeto livre");
}

}  // namespace

long long ProposeProjectNumber(const DataFolders& folders, OrderList& list, bool firstGap)
{
    RefreshOrderListIfDirty(folders, list);
    return ProposeFromList(folders, list, firstGap);
}

long long ProposeProjectNumber()
{
    RefreshOrderListIfDirty();
    return ProposeFromList(gShared.folders, gShared.orderList,
                           gShared.settings.firstFreeProjectNumber);
}

std::string BuildProjectCaption(long long number)
{
    return "PRJ " + IntText(number);
}

void SetProjectCaption(std::string& numberText, std::string& captionText)
{
    const long long number = ProposeProjectNumber();
    numberText = IntText(number);
    captionText = BuildProjectCaption(number);
}

std::string ProjectNumberRangeText()
{
    const std::string largest = IntToStrZero5(kLargestUserProjectNumber);
    return Msg(785) + ":\r\r00000 ... " + largest + " - Ok \r30001 ... 99999 - " + Msg(205) +
           "\r\r" + Msg(189) + " " + largest + " !. " + Msg(340);
}

namespace {

std::string CheckNumberInput(const DataFolders& folders, OrderList& list, std::string_view typed,
                             bool shared)
{
    std::string digits(typed);
    RemoveBlanks(digits);
    if (!IsSignedIntegerText(digits)) {
        platform::ShowMessage(ProjectNumberRangeText());
        return {};
    }
    // A number too long for the counter is out of range all the same.
    long long number = kLargestOrderNumber + 1;
    const char* first = digits.data() + (digits.front() == '+' ? 1 : 0);
    std::from_chars(first, digits.data() + digits.size(), number);
    const bool exists = shared ? OrderNumberExists(number) : OrderNumberExists(folders, list, number);
    if (exists) {
        platform::ShowMessage(Msg(767) + " (" + IntText(number) + ")");
        return {};
    }
    if (number < 0 || number > kLargestUserProjectNumber) {
        platform::ShowMessage(ProjectNumberRangeText());
        return {};
    }
    return std::string(typed);
}

}  // namespace

std::string CheckProjectNumberInput(const DataFolders& folders, OrderList& list,
                                    std::string_view typed)
{
    return CheckNumberInput(folders, list, typed, false);
}

std::string CheckProjectNumberInput(std::string_view typed)
{
    return CheckNumberInput(gShared.folders, gShared.orderList, typed, true);
}

}  // namespace vor
