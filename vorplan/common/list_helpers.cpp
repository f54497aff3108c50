#include "vorplan/common/list_helpers.h"

#include <algorithm>

#include "platform/message_service.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

SharedListData gListData;

void SplitTilde(std::string_view text, TildeFields& out)
{
    out.fields.Fill(std::string());
    out.count = 1;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '~' && out.count < kTildeFieldCount)
            ++out.count;
        else
            out.fields[out.count] += c;
    }
}

TildeFields SplitTilde(std::string_view text)
{
    TildeFields fields;
    SplitTilde(text, fields);
    return fields;
}

void ComputeColumnPositions(ColumnSet& columns, int xWidth)
{
    columns.x[1] = 1;
    for (long i = 2; i <= kColumnSlots; ++i) {
        const auto characters = static_cast<int>(Utf8Length(columns.titles[i - 1]));
        columns.x[i] = columns.x[i - 1] + characters * xWidth + 10;
    }
}

void SetupMaterialListColumns(ColumnSet& columns, int xWidth)
{
    columns.titles[1] = "   " + Msg(32) + "   ";
    columns.titles[2] = Msg(33) + std::string(56, ' ');
    columns.titles[3] = Msg(211);
    columns.titles[4].clear();
    columns.count = 3;
    ComputeColumnPositions(columns, xWidth);
}

namespace {

int FirstFieldNumber(const std::string& text)
{
    return StrToIntDef0(SplitTilde(text).fields[1]);
}

}  // namespace

void TakeChosenMaterials(const ListControl& list, ChosenMaterials& chosen)
{
    chosen.count = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsSelected(i))
            continue;
        chosen.codes[chosen.count + 1] = FirstFieldNumber(list.Text(i));
        ++chosen.count;
    }
}

void TakeChosenMaterials(const ListControl& list) { TakeChosenMaterials(list, gListData.chosen); }

long long SelectedRecordNumber(const ListControl& list)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsSelected(i))
            return FirstFieldNumber(list.Text(i));
    }
    return 0;
}

long long SelectMaterialFromList(const ListControl& list)
{
    gShared.currentMaterial = SelectedRecordNumber(list);
    return gShared.currentMaterial;
}

std::vector<std::string> StockListItems(const std::vector<StockRow>& rows,
                                        const std::string& heading, const std::string& emptyText)
{
    if (rows.empty())
        return {emptyText};
    std::vector<std::string> items{heading + ":", ""};
    long long quantity = 0;
    double area = 0;
    for (const StockRow& row : rows) {
        if (row.mark != 1)
            continue;
        items.push_back(std::to_string(row.quantity) + "  " + FormatRealText(row.width) + " x " +
                        FormatRealText(row.height) + " ");
        quantity += row.quantity;
        area += static_cast<double>(row.quantity) * row.width * row.height * 0.000001;
    }
    items.emplace_back();
    items.push_back(Msg(474) + " " + std::to_string(quantity));
    items.push_back(Msg(486) + ": " + FormatFixed(area, 4) + " m2");
    return items;
}

namespace {

void Fill(ListControl& list, const std::vector<std::string>& items)
{
    list.Clear();
    for (const std::string& item : items)
        list.Add(item);
}

}  // namespace

void FillListFromTable(ListControl& sheetList, ListControl& offcutList, long long materialCode,
                       const StockRowLoader& load)
{
    Fill(sheetList, StockListItems(load(true, materialCode), Msg(98), Msg(900)));
    Fill(offcutList, StockListItems(load(false, materialCode), Msg(99), Msg(901)));
}

std::optional<std::vector<std::string>> ReadListFileItems(const std::filesystem::path& path)
{
    std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines)
        return std::nullopt;
    std::vector<std::string> items;
    const std::string* before = nullptr;
    for (const std::string& line : *lines) {
        // A repeat is judged against the file line before, shown or not.
        if (Utf8Length(line) >= 2 && (before == nullptr || line != *before))
            items.push_back(line);
        before = &line;
    }
    return items;
}

void LoadListFile(ListControl& list, const std::filesystem::path& path)
{
    if (const auto items = ReadListFileItems(path))
        Fill(list, *items);
}

void LoadListFileWithMessage(ListControl& list, const std::filesystem::path& path)
{
    if (const auto items = ReadListFileItems(path))
        Fill(list, *items);
    else
        platform::ShowMessage("Não achei \"" + path.string() + "\"");
}

void SaveListFile(const ComboControl& combo, const std::filesystem::path& path)
{
    std::vector<std::string> lines{combo.EditText()};
    for (int i = 0; i < combo.Count(); ++i) {
        std::string item = combo.Text(i);
        if (item.empty())
            break;
        lines.push_back(std::move(item));
    }
    WriteTextLines(path, lines);
}

bool DeleteSelectedListRecord(ComboControl& combo)
{
    const int index = combo.CurrentIndex();
    if (index < 0 || index >= combo.Count())
        return false;
    const std::string question = "Apagar o registro \"" + combo.Text(index) + "\"";
    if (platform::Messages().Show(question, {}, platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return false;
    combo.Remove(index);
    return true;
}

bool EditTextInDialog(std::string& text, int width, const TextInputDialog& dialog)
{
    std::optional<std::string> answer = dialog(text, width);
    if (!answer)
        return false;
    text = std::move(*answer);
    return true;
}

void ShowSelectMaterialMessage() { platform::ShowMessage(Msg(207)); }

std::string MaterialNotEditableText(long long code)
{
    if (code < 50000)
        return {};
    if (code < 99000)
        return Msg(854) + "\r" + Msg(855) + ", " + Msg(856) + "\r\r" + Msg(859);
    return Msg(857) + "\r" + Msg(858) + ", " + Msg(856) + "\r\r" + Msg(859);
}

bool CheckMaterialCodeEditable(long long code)
{
    if (code < 50000)
        return true;
    platform::ShowMessage(MaterialNotEditableText(code));
    return false;
}

bool CheckMaterialCodeEditable() { return CheckMaterialCodeEditable(gShared.currentMaterial); }

std::string FieldMessageText(const std::string& first, const std::string& second)
{
    return Msg(11) + " " + first + " " + Msg(944) + " !\r\r" + Msg(33) + ": " + second;
}

void ShowFieldMessage(const std::string& first, const std::string& second)
{
    platform::ShowMessage(FieldMessageText(first, second));
}

std::string ProgramMissingText(const std::string& path)
{
    return Msg(799) + " [" + path + "] " + Msg(800);
}

void ShowProgramMissingMessage(const std::string& path)
{
    platform::ShowMessage(ProgramMissingText(path));
}

const std::string& GetGlobalText1() { return Msg(142); }

const std::string& GetGlobalText2() { return Msg(143); }

void ModifyTextInPlace(std::string& text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
}

std::string ReplaceBlanks(std::string text)
{
    ModifyTextInPlace(text, ' ', '_');
    return text;
}

}  // namespace vor
