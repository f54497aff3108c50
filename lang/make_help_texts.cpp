// Builds the shipped help and introduction texts from their plain sources.
//
//   make_help_texts <source-folder> <output-folder>
//
// Each source NAME.txt becomes NAME.RTF, written by our RTF writer. A source
// that does not parse, or whose text breaks the rules the viewer's heading
// list and links rely on, stops the tool before any file is written.

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "kalendo/help_text_check.h"
#include "lang/help_source.h"
#include "vorplan/common/atomic_file.h"
#include "vorplan/common/rtf/styled_doc.h"

namespace fs = std::filesystem;

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: make_help_texts <source-folder> <output-folder>\n";
        return 2;
    }
    const fs::path sources = argv[1];
    const fs::path output = argv[2];
    try {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(sources))
            if (entry.is_regular_file() && entry.path().extension() == ".txt")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());

        std::vector<std::pair<fs::path, std::string>> texts;
        bool sound = true;
        for (const fs::path& file : files) {
            vor::HelpSource help;
            try {
                help = vor::ParseHelpSource(vor::ReadFileBytes(file));
            } catch (const vor::HelpSourceError& e) {
                std::cerr << file.string() << ": " << e.what() << "\n";
                sound = false;
                continue;
            }
            for (const kalendo::AuthoringFault& fault : kalendo::CheckHelpText(help.document)) {
                std::cerr << file.string() << ": " << fault.message << "\n";
                sound = false;
            }
            texts.emplace_back(output / (file.stem().string() + ".RTF"), vor::StyledDocToRtf(help.document, help.title));
        }
        if (!sound)
            return 1;
        fs::create_directories(output);
        for (const auto& [path, rtf] : texts)
            vor::WriteFileAtomically(path, rtf);
        std::cout << "wrote " << texts.size() << " texts into " << output.string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "make_help_texts: " << e.what() << "\n";
        return 1;
    }
}
