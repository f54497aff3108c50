// Data text files come from users and other programs: any bytes must decode,
// split and encode without fault, and every byte must survive the codec.
#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string text = vor::DecodeFileText(bytes);
    if (!vor::IsValidUtf8(text))
        std::abort();
    const auto lines = vor::SplitTextLines(text);
    const std::string encoded = vor::EncodeTextLines(lines);
    // Decoded text is valid, so each character is one Windows-1252 byte.
    std::size_t expected = 0;
    for (const auto& line : lines)
        expected += vor::Utf8Length(line) + 2;
    if (encoded.size() != expected)
        std::abort();

    if (vor::Utf8ToCp1252(vor::Cp1252ToUtf8(bytes)) != bytes)
        std::abort();

    // A file rewritten in the encoding it was read in gets back every byte
    // (a byte-order mark before text that is not UTF-8 is the one loss).
    const vor::DecodedText decoded = vor::DecodeFileTextAndEncoding(bytes);
    if (decoded.text != text)
        std::abort();
    const bool bomBeforeCp1252 = decoded.encoding == vor::TextEncoding::Windows1252 &&
                                 bytes.starts_with("\xEF\xBB\xBF");
    if (!bomBeforeCp1252 && vor::EncodeFileText(decoded.text, decoded.encoding) != bytes)
        std::abort();

    // Arbitrary bytes taken as UTF-8: never longer than the input, and the
    // length counts agree with what Utf8Left keeps.
    const std::string narrowed = vor::Utf8ToCp1252(bytes);
    const std::size_t length = vor::Utf8Length(bytes);
    if (narrowed.size() > length || length > size)
        std::abort();
    if (vor::Utf8Left(bytes, length) != bytes)
        std::abort();
    if (vor::Utf8Length(vor::Utf8Left(bytes, length / 2)) != length / 2)
        std::abort();
    return 0;
}
