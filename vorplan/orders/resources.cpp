#include "vorplan/orders/resources.h"

#include <charconv>
#include <system_error>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/file_operations.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/list_helpers.h"
#include "vorplan/orders/material_file.h"

namespace vor {

namespace {

constexpr long long kLargestNewMaterialCode = 49999;

std::string CountText(long long n)
{
    return std::to_string(n);
}

}  // namespace

ResourceButtonStates ResourceButtons(int selected, int total)
{
    ResourceButtonStates states;
    const bool one = selected == 1;
    states.properties = one;
    states.sheets = one;
    states.offcuts = one;
    states.remove = one && total >= 2;
    return states;
}

std::string SelectionCountText(int selected, int total)
{
    return Msg(643) + CountText(selected) + " / " + CountText(total);
}

std::vector<MaterialListLine> MaterialListLines(const MaterialTable& table, bool showExamples)
{
    std::vector<MaterialListLine> lines;
    for (long i = 1; i <= table.count; ++i) {
        const MaterialTableEntry& entry = table.entries[i];
        if (!showExamples && entry.code >= kFirstExampleMaterial)
            continue;
        MaterialListLine line;
        line.code = entry.code;
        line.text = IntToStrZero5(entry.code) + "~" + entry.description + "~" + entry.family;
        line.colour = entry.colour;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string MaterialCodeRangeText()
{
    return Msg(785) + ":\r\r00000 ... 39999 - Ok \r40000 ... 49999 - " + Msg(359) +
           "\r50000 ... 98999 - " + Msg(187) + "\r99000 ... 99999 - " + Msg(188) + "\r\r" +
           IntToStrZero5(kLargestNewMaterialCode) + " !. ";
}

std::optional<long long> TypedMaterialCode(std::string_view typed)
{
    std::string digits(typed);
    RemoveBlanks(digits);
    if (!IsSignedIntegerText(digits))
        return std::nullopt;
    const char* first = digits.data() + (digits.front() == '+' ? 1 : 0);
    long long code = 0;
    const auto [end, error] = std::from_chars(first, digits.data() + digits.size(), code);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return code;
}

NewCodeVerdict CheckNewMaterialCode(const DataFolders& folders, std::string_view typed)
{
    const std::optional<long long> code = TypedMaterialCode(typed);
    if (!code || *code < 0 || *code > kLargestNewMaterialCode)
        return NewCodeVerdict::OutOfRange;
    if (MaterialIniExists(folders, *code))
        return NewCodeVerdict::Used;
    return NewCodeVerdict::Ok;
}

std::optional<long long> AcceptNewMaterialCode(const DataFolders& folders, std::string_view typed,
                                               long long sourceCode)
{
    switch (CheckNewMaterialCode(folders, typed)) {
        case NewCodeVerdict::OutOfRange:
            platform::ShowMessage(MaterialCodeRangeText());
            return std::nullopt;
        case NewCodeVerdict::Used:
            platform::ShowMessage(Msg(841));
            return std::nullopt;
        case NewCodeVerdict::Ok:
            break;
    }
    const long long code = *TypedMaterialCode(typed);
    DuplicateMaterialIni(folders, code, sourceCode, platform::GetClock());
    return code;
}

std::string DeleteMaterialQuestion(long long code)
{
    return Msg(144) + " " + CountText(code) + ":\r" + Msg(728) + " ?";
}

bool DeleteMaterial(const DataFolders& folders, long long code)
{
    if (!CheckMaterialCodeEditable(code))
        return false;
    if (platform::Messages().Show(DeleteMaterialQuestion(code), {}, platform::MessageKind::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes)
        return false;
    return DeleteFileWithMessage(MaterialFile(folders, code));
}

bool ShowResourcesReport(const MaterialListOptions& options)
{
    return ShowMaterialListReport(options.title, options.withTitle, options.withDate,
                                  options.materialTable, options.sheets, options.offcuts,
                                  options.properties);
}

}  // namespace vor
