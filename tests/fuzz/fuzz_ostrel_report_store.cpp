// The report loader takes any file: loading, searching, the menu rules, edits
// held in memory and the page layout must never fault, and what saving would
// write is exactly the lines read, less the deletion marks.
#include "ostrel/draw_ops.h"
#include "ostrel/markup.h"
#include "ostrel/print_layout.h"
#include "ostrel/report_store.h"
#include "vorplan/common/codec.h"
#include "vorplan/common/text_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

class FuzzMetrics final : public ostrel::TextMetrics {
public:
    explicit FuzzMetrics(int scale) : m_scale(scale) {}
    int TextWidth(const ostrel::Font& font, std::string_view text) const override
    {
        return static_cast<int>(ostrel::CharCount(text)) * (font.pointSize / 3 + 1) * m_scale;
    }
    int TextHeight(const ostrel::Font& font, std::string_view) const override
    {
        return (font.pointSize + 3) * m_scale;
    }

private:
    int m_scale;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = vor::SplitTextLines(vor::DecodeFileText(bytes));

    FuzzMetrics screen(1);
    FuzzMetrics printer(5);
    ostrel::ReportStore store(screen, 8, 8);
    if (store.LoadLines(lines) != ostrel::LoadStatus::Ok)
        return 0;
    if (store.RowCount() > ostrel::kMaxRows || static_cast<int>(store.Index().size()) > ostrel::kMaxIndexEntries)
        std::abort();

    std::vector<std::string> expected;
    for (const std::string& l : lines)
        if (ostrel::TakeChars(l, ostrel::kMaxLineLength) != "\\")
            expected.push_back(l);
    if (store.SavedLines() != expected)
        std::abort();

    const int rows = store.RowCount();
    for (int r = 0; r < rows; ++r) {
        if (ostrel::CharCount(store.Text(r)) > ostrel::kMaxLineLength)
            std::abort();
        const ostrel::MenuState m = store.MenuFor(r);
        if ((m.insertLine || m.deleteLine) && r == 0)
            std::abort();
        if (m.deleteTable != store.Document().InTable(r))
            std::abort();
    }
    if (rows > 1) {
        const std::string needle = ostrel::TakeChars(store.Text(rows / 2), 3);
        // An empty search finds nothing; any other needle is found in the row it came from.
        const int hits = store.Search(needle, size % 2 == 0);
        if (needle.empty() ? hits != 0 : hits < 1)
            std::abort();
        for (int i = 0; i < 3 && hits > 0; ++i)
            if (const auto hit = store.NextHit(); !hit || store.Mark(*hit) != ostrel::kMarkHit)
                std::abort();
        store.SelectForMenu(rows - 1);
    }

    ostrel::PrintJob job;
    job.report = &store;
    job.geometry = ostrel::MakePrinterGeometry(1000, 1400, 210.0, 297.0);
    job.screen = &screen;
    job.printer = &printer;
    job.pictureExists = [](const std::filesystem::path&) { return false; };
    const int pages = ostrel::CountPages(job);
    if (static_cast<int>(ostrel::LayOutPages(job, pages).size()) != pages || (pages == 0) != (rows == 0))
        std::abort();

    // Edits stay in memory for a report loaded from memory.
    if (rows > 2) {
        const std::size_t before = store.SavedLines().size();
        if (store.InsertText(1, "inserted").status == ostrel::EditStatus::Done &&
            store.SavedLines().size() != before + 1)
            std::abort();
        store.DeleteTable(rows / 2);
        store.DeleteLine(1);
    }
    return 0;
}
