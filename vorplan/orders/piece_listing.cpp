#include "vorplan/orders/piece_listing.h"

#include <utility>

#include "vorplan/common/conversions.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/helper_programs.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace {

// A column title of ostrel's table heading: a blank would start a new column.
std::string TitleWord(std::string text)
{
    BlankToUnderscore(text);
    return text;
}

std::string M2(double area) { return FormatFixed(area, 2); }

struct Totals {
    long long count = 0;
    double area = 0;
    double roundedArea = 0;
    double perimeter = 0;  // millimetres
    double handling = 0;

    void Add(const Totals& other)
    {
        count += other.count;
        area += other.area;
        roundedArea += other.roundedArea;
        perimeter += other.perimeter;
        handling += other.handling;
    }
};

class ListingWriter {
public:
    explicit ListingWriter(const PieceListingInput& input) : m_in(input) {}

    std::vector<std::string> Lines()
    {
        Identification();
        bool inGroup = false;
        long long groupCode = 0;
        for (const PieceRow& row : m_in.rows) {
            if (row.mark != "+")
                continue;
            const long long code = StrToIntDef0(Cell(row.material, NumberKind::Integer));
            if (!inGroup || code != groupCode) {
                if (inGroup)
                    CloseGroup();
                OpenGroup(code);
                inGroup = true;
                groupCode = code;
            }
            Piece(row);
        }
        if (inGroup)
            CloseGroup();
        GrandTotals();
        return std::move(m_out);
    }

private:
    std::string Cell(const std::string& text, NumberKind kind) const
    {
        return NumberCell(text, kind, m_in.showDecimals);
    }

    void Identification()
    {
        m_out.push_back("@*** " + Msg(m_in.budget ? 578 : 579) + " " + IntText(m_in.orderNumber));
        m_out.emplace_back("@D");
        m_out.push_back("@* " + Msg(580) + " " + m_in.description);
        for (std::size_t i = 0; i < 6; ++i) {
            std::string title = m_in.fieldTitles[i];
            if (title.empty() || title.back() != ':')
                title += ':';
            m_out.push_back(title + " " + m_in.fields[i]);
        }
    }

    void OpenGroup(long long code)
    {
        m_material = m_in.material ? m_in.material(code) : MaterialRecord{};
        m_group = Totals{};
        m_out.push_back("@* " + Msg(97) + " (" + IntText(code) + ") " + m_material.description);
        if (m_in.budget)
            m_out.push_back(Msg(541) + " " + m_in.currency + " " +
                            RealToStrBr(0, m_material.purchasePrice));
        // Each title word is one column of the piece rows below.
        std::string heading = "@T " + TitleWord(Msg(32)) + "  " + TitleWord(Msg(510)) + "  " +
                              TitleWord(Msg(142)) + " " + TitleWord(Msg(143)) + " m2_real_";
        if (m_in.roundedArea)
            heading += "   m2_arred.";
        heading += " _____________________" + TitleWord(Msg(33));
        m_out.push_back(std::move(heading));
    }

    void Piece(const PieceRow& row)
    {
        const std::string quantity = Cell(row.quantity, NumberKind::Integer);
        const std::string width = Cell(row.width, NumberKind::Real);
        const std::string height = Cell(row.height, NumberKind::Real);
        const double q = StrToRealComma(quantity);
        const double w = StrToRealComma(width);
        const double h = StrToRealComma(height);

        const double area = w * h * 0.000001 * q;
        m_group.area += area;
        m_group.count += Trunc(q);
        m_group.perimeter += 2 * (w + h) * q;
        // Not divided by q, so a quantity of 0 adds nothing instead of failing.
        m_group.handling += 0.5 * area + 0.75 * q;

        std::string line = " " + Cell(row.code, NumberKind::Integer) + " " + quantity + " " +
                           width + " " + height + " " + M2(area);
        if (m_in.roundedArea) {
            const double rounded =
                RoundedAreaM2(1, Round(w), Round(h), m_in.roundingTypeOne) * q;
            m_group.roundedArea += rounded;
            line += " " + M2(rounded);
        }
        std::string description = row.description;
        BlankToUnderscore(description);
        line += " " + description;
        m_out.push_back(std::move(line));
    }

    void TotalLines(const Totals& t)
    {
        m_out.push_back(Msg(573) + ": " + IntText(t.count));
        m_out.push_back(Msg(574) + ": " + M2(t.area) + " m2");
        if (m_in.roundedArea)
            m_out.push_back(Msg(575) + ": " + M2(t.roundedArea) + " m2");
        if (m_in.printPerimeter)
            m_out.push_back(Msg(576) + ": " + M2(t.perimeter * 0.001) + " m");
    }

    std::string MoneyLine(long slot, double value) const
    {
        return Msg(slot) + ": " + m_in.currency + " " + RealToStrBr(0, value);
    }

    void CloseGroup()
    {
        // A table ends only at a line shorter than 2 characters.
        m_out.emplace_back();
        m_out.emplace_back("@d");
        m_out.push_back(m_material.description);
        m_out.emplace_back("@D");
        TotalLines(m_group);
        if (m_in.budget) {
            const double area = m_in.roundedArea ? m_group.roundedArea : m_group.area;
            const double materialPrice = area * m_material.purchasePrice;
            m_out.push_back(MoneyLine(954, materialPrice));
            m_materialPrice += materialPrice;
            if (m_material.cutPriceFactor > 0) {
                const double cutPrice = m_group.handling * m_material.cutPriceFactor;
                m_out.push_back(MoneyLine(955, cutPrice));
                m_cutPrice += cutPrice;
            }
        }
        m_all.Add(m_group);
    }

    void GrandTotals()
    {
        m_out.emplace_back();
        m_out.push_back("@* " + Msg(577));
        TotalLines(m_all);
        if (m_in.budget) {
            m_out.push_back(MoneyLine(955, m_cutPrice));
            m_out.push_back(MoneyLine(960, m_materialPrice + m_cutPrice));
        }
        m_out.emplace_back("@d");
    }

    const PieceListingInput& m_in;
    std::vector<std::string> m_out;
    MaterialRecord m_material;
    Totals m_group;
    Totals m_all;
    double m_materialPrice = 0;
    double m_cutPrice = 0;
};

}  // namespace

std::vector<std::string> PieceListingLines(const PieceListingInput& input)
{
    return ListingWriter(input).Lines();
}

Path PieceListingFile(const DataFolders& folders) { return folders.tmp / "mont_inf.txt"; }

Path WritePieceListing(const DataFolders& folders, const PieceListingInput& input)
{
    const Path path = PieceListingFile(folders);
    WriteTextLines(path, PieceListingLines(input));
    return path;
}

bool ShowPieceListing(PieceListingInput input)
{
    if (!input.material) {
        const DataFolders folders = gShared.folders;
        // A record of its own per group: the current material stays as it is.
        input.material = [folders](long long code) { return LoadMaterial(folders, code); };
    }
    const Path report = WritePieceListing(gShared.folders, input);
    return StartReportViewer(gShared.folders, report);
}

}  // namespace vor
