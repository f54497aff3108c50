#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/optimiser/layout_files.h"

namespace vortest {

constexpr long long kViewerMaterial = 7;

// An element's place and size, compared and printed in tests.
struct Rect {
    int x, y, l, h;
    bool operator==(const Rect&) const = default;
};

inline Rect RectOf(const vor::ViewerElement& e) { return {e.x, e.y, e.length, e.height}; }

inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.x << ", " << r.y << ", " << r.l << " x " << r.h << ")";
}

// Message slot n reads "<n>" while the object lives, so golden texts show
// which message stands where; the shared table is restored afterwards.
class StubMessages {
public:
    StubMessages() : m_saved(vor::gShared.messages)
    {
        for (long n = 1; n <= vor::kMessageSlots; ++n)
            vor::gShared.messages[n] = "<" + std::to_string(n) + ">";
    }
    ~StubMessages() { vor::gShared.messages = m_saved; }
    StubMessages(const StubMessages&) = delete;
    StubMessages& operator=(const StubMessages&) = delete;

private:
    vor::MessageTable m_saved;
};

// The shipped Portuguese texts in the message table while the object lives,
// so captions read as a user sees them; the table is restored afterwards.
class ShippedTexts {
public:
    ShippedTexts() : m_saved(vor::gShared.messages)
    {
        vor::LoadLanguageFile(fs::path(VOR_BINARY_DIR) / "vorlane" / "LANG" / "PORT.PTC",
                              vor::gShared.messages);
    }
    ~ShippedTexts() { vor::gShared.messages = m_saved; }
    ShippedTexts(const ShippedTexts&) = delete;
    ShippedTexts& operator=(const ShippedTexts&) = delete;

private:
    vor::MessageTable m_saved;
};

// A material with kerf 4 mm, offcuts of at least 250 x 300 mm, remainders of
// at least 50 mm.
inline vor::LayoutMaterial ViewerMaterial()
{
    vor::LayoutMaterial m;
    m.code = kViewerMaterial;
    m.description = "MDF 15 mm";
    m.kerf = 40;
    m.minOffcutWidth = 2500;
    m.minOffcutHeight = 3000;
    m.minRemainder = 500;
    m.makesOffcuts = true;
    return m;
}

// An installation whose viewer reads material kViewerMaterial.
class ViewerFixture {
public:
    ViewerFixture()
    {
        inputs.folders = vor::MakeDataFolders(inst.base());
        inputs.material = ViewerMaterial();
    }

    fs::path Mon(long long n) const { return vor::LayoutFile(inputs.folders, n, kViewerMaterial); }

    void WriteMon(long long n, const std::vector<std::string>& lines) const
    {
        WriteBytes(Mon(n), vor::EncodeTextLines(lines));
    }

    // A layout file as the optimiser writes it, from temporary-file lines
    // (sheet, pieces, discarded rectangles) and the borders in effect.
    void WriteOptimiserMon(long long n, const std::vector<std::string>& tempLines,
                           vor::SheetBorders borders = {}) const
    {
        vor::LayoutFileSettings settings;
        settings.borders = borders;
        settings.stockSheetText = "Chapa";
        settings.offcutSheetText = "Retalho";
        vor::OrderTable orders;
        long long placed = 0;
        WriteMon(n, vor::LayoutFileLines(tempLines, settings, orders, placed));
    }

    vortest::TestInstallation inst;
    vor::LayoutInputs inputs;
    vor::LayoutState state;
};

}  // namespace vortest
