// INI text as a user's file may hold it: any bytes, any layout.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "vorplan/common/codec.h"
#include "vorplan/common/ini_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using vorfuzz::Check;
using vorfuzz::Join;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text =
        vor::DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    vor::IniDocument doc = vor::IniDocument::Parse(text);

    std::string value;
    doc.Find("S1", "K1", value);
    doc.Find("", "", value);
    for (const auto& section : doc.Sections()) {
        Check(doc.HasSection(section));
        for (const auto& key : doc.Keys(section))
            Check(doc.Find(section, key, value));
    }

    doc.Set("S1", "K1", "v1");
    Check(doc.Find("s1", "k1", value) && value == "v1");
    // What a save and a reload would see.
    const vor::IniDocument again = vor::IniDocument::Parse(Join(doc));
    Check(again.Find("S1", "K1", value) && value == "v1");

    doc.Set("S1", "K2", "v2");
    Check(doc.Find("S1", "K2", value) && value == "v2");
    Check(doc.Find("S1", "K1", value) && value == "v1");

    Check(doc.Remove("S1", "K2"));
    Check(doc.RemoveSection("S1") || !doc.HasSection("S1"));
    doc.Keys("S1");
    doc.Sections();
    return 0;
}
