// The calculation selection files as they may be found: any bytes read as
// PRJ.SEQ, MAT.SEQ, MAT_USAD.BIN and arq_ult_mat_calc.aum. Readers must keep
// to the room of their lists and the binary records must come back as read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "vorplan/common/calc_lists.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/text_file.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void CheckOrderSelection(const std::vector<std::string>& lines)
{
    vor::OrderSelection s;
    bool overflow = false;
    try {
        vor::FillOrderSelection(lines, s);
    } catch (const vor::RangeError&) {
        overflow = true;
    }
    const auto room = static_cast<std::size_t>(vor::kSelectionCapacity);
    Check(overflow == (lines.size() > room));
    Check(static_cast<std::size_t>(s.count) == std::min(lines.size(), room));
    for (long i = 1; i <= s.count; ++i)
        Check(s.orders[i] == vor::StrToIntDef0(lines[static_cast<std::size_t>(i - 1)]));
}

void CheckMaterialSelection(const std::vector<std::string>& lines)
{
    std::set<std::int32_t> distinct;
    for (const std::string& line : lines)
        distinct.insert(vor::StrToIntDef0(line));

    vor::MaterialSelection s;
    bool overflow = false;
    try {
        vor::FillMaterialSelection(lines, s);
    } catch (const vor::RangeError&) {
        overflow = true;
    }
    Check(overflow == (distinct.size() > static_cast<std::size_t>(vor::kSelectionCapacity)));
    std::set<std::int32_t> seen;
    for (long i = 1; i <= s.count; ++i) {
        Check(distinct.count(s.entries[i].code) == 1);
        Check(seen.insert(s.entries[i].code).second);
    }
    if (!overflow)
        Check(seen == distinct);

    // Clearing repeats changes nothing now; sorting keeps every entry.
    for (long i = 1; i <= s.count; ++i)
        s.entries[i].marked = i % 2 == 0;
    vor::MaterialSelection unique = s;
    vor::UniqueMaterialSelection(unique);
    Check(unique.count == s.count);
    for (long i = 1; i <= s.count; ++i)
        Check(unique.entries[i] == s.entries[i]);
    vor::SortMaterialSelection(unique);
    for (long i = 2; i <= unique.count; ++i)
        Check(unique.entries[i - 1].code < unique.entries[i].code);
    for (long i = 1; i <= unique.count; ++i) {
        bool found = false;
        for (long j = 1; j <= s.count && !found; ++j)
            found = s.entries[j] == unique.entries[i];
        Check(found);
    }
}

void CheckMaterialsUsed(std::string_view bytes)
{
    const std::vector<std::int32_t> codes = vor::DecodeMaterialsUsed(bytes);
    const std::size_t expected =
        std::min(bytes.size() / 4, static_cast<std::size_t>(vor::kSelectionCapacity));
    Check(codes.size() == expected);

    vor::MaterialSelection s;
    for (const std::int32_t code : codes)
        s.entries[++s.count] = {code, true};
    Check(vor::EncodeMaterialsUsed(s, false) == bytes.substr(0, expected * 4));
    Check(vor::EncodeMaterialsUsed(s, true) == bytes.substr(0, expected * 4));
}

void CheckLastCalcMaterials(std::string_view bytes)
{
    const std::vector<vor::LastCalcMaterial> records = vor::DecodeLastCalcMaterials(bytes);
    Check(records.size() == bytes.size() / 8);
    const std::string again = vor::EncodeLastCalcMaterials(records);
    Check(again.size() == records.size() * 8);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Check(again.compare(i * 8, 4, bytes.substr(i * 8, 4)) == 0);
        Check((again[i * 8 + 4] != '\0') == (bytes[i * 8 + 4] != '\0'));
    }
    Check(vor::DecodeLastCalcMaterials(again) == records);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));
    CheckOrderSelection(lines);
    CheckMaterialSelection(lines);
    CheckMaterialsUsed(bytes);
    CheckLastCalcMaterials(bytes);
    return 0;
}
