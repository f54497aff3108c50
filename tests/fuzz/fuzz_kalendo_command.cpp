// Whatever another program left on the clipboard reaches kalendo's parser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kalendo/message_set.h"
#include "kalendo/viewer_command.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using vorfuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kalendo::ViewerCommand command = kalendo::ParseViewerCommand(text);

    Check(command.paddedText.size() == size + kalendo::kCommandPadding);
    Check(command.paddedText.compare(0, size, text) == 0);
    Check(command.password.find(' ') == std::string::npos);
    Check(command.fileName.empty() || command.fileName.back() != ' ');
    Check(command.fileName.size() <= size);
    const bool isCommand = kalendo::IsViewerCommand(text);
    Check(isCommand == (command.page != kalendo::ViewerPage::SeparateRun));
    kalendo::FillMessageSet(command.languageDigit);

    // What vorplan builds from the argument reads back the same.
    if (!command.fileName.empty()) {
        const kalendo::ViewerCommand again =
            kalendo::ParseViewerCommand(kalendo::BuildTextCommand(2, command.fileName));
        Check(again.page == kalendo::ViewerPage::TextViewer);
        Check(again.languageDigit == '2');
        Check(again.version == "2.18");
    }
    return 0;
}
