// A help text, or any file put in its place, reaches the RTF reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalendo/help_text_check.h"
#include "tests/fuzz/fuzz_support.h"
#include "vorplan/common/rtf/rtf_reader.h"
#include "vorplan/common/rtf/styled_doc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vor::StyledDoc doc = vor::ReadRtf(bytes);
    // "Salva" writes what was read: it must read back the same.
    vorfuzz::Check(vor::ReadRtf(vor::StyledDocToRtf(doc)) == doc);
    kalendo::CheckHelpText(doc);
    return 0;
}
