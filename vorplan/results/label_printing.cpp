#include "vorplan/results/label_printing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

#include "platform/print_jobs.h"
#include "vorplan/common/canvas.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"

namespace vor {

namespace {

constexpr long long kLastLabelLayout = 500;
constexpr int kIdentificationSize = 10;
constexpr const char* kNoValue = "---";

void ReplaceFirst(std::string& line, std::string_view tag, const std::string& value)
{
    const std::size_t at = line.find(tag);
    if (at != std::string::npos)
        line.replace(at, tag.size(), value);
}

std::string OrNoValue(const std::string& text)
{
    return text.empty() ? kNoValue : text;
}

}  // namespace

std::string ExpandLabelLine(const std::string& line, const LabelTags& tags)
{
    std::string description = tags.description;
    UnderscoreToBlank(description);
    std::string text = line;
    ReplaceFirst(text, "<DIM>", tags.width + " x " + tags.height);
    ReplaceFirst(text, "<LAR>", tags.width);
    ReplaceFirst(text, "<ALT>", tags.height);
    ReplaceFirst(text, "<MAT>", tags.material);
    ReplaceFirst(text, "<CLI>", OrNoValue(tags.customer));
    ReplaceFirst(text, "<PED>", OrNoValue(tags.order));
    ReplaceFirst(text, "<MON>", OrNoValue(tags.layout));
    ReplaceFirst(text, "<COD>", tags.code);
    ReplaceFirst(text, "<DES>", description);
    ReplaceFirst(text, "<DAT>", tags.date);
    ReplaceFirst(text, "<CLF>", OrNoValue(tags.orderCustomer));
    return text;
}

std::vector<std::string> FillLabel(const std::vector<std::string>& labelTemplate, const LabelTags& tags)
{
    std::vector<std::string> lines;
    for (const std::string& line : labelTemplate)
        if (!line.empty())
            lines.push_back(ExpandLabelLine(line, tags));
    return lines;
}

LabelLineFormat FormatLabelLine(const std::string& line, int basicSize)
{
    LabelLineFormat f;
    f.size = basicSize;
    f.text = line;
    if (line.size() >= 2 && line[0] == '@') {
        bool known = true;
        switch (line[1]) {
        case '*': f.size = basicSize * 2; break;
        case '/': f.size = static_cast<int>(Round(basicSize * 0.5)); break;
        case '+': f.size = basicSize + 2; break;
        case '-': f.size = basicSize - 2; break;
        case 'U': f.underline = true; break;
        case 'N': f.bold = true; break;
        case 'I': f.italic = true; break;
        default: known = false; break;
        }
        if (known)
            f.text = line.substr(2);
    }
    f.size = std::max(1, f.size);
    return f;
}

std::string MillimetreText(double millimetres)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), millimetres,
                                      std::chars_format::fixed, 3);
    std::string text(buffer.data(), result.ptr);
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

int CheckLabelFormat(const LabelPageSettings& page)
{
    int error = 0;
    if (page.columns < 1 || page.columns > 15)
        error = 1;
    if (page.rows < 1 || page.rows > 40)
        error = 2;
    if (page.sideMargin < 0 || page.sideMargin > 200)
        error = 3;
    if (page.topMargin < 0 || page.topMargin > 200)
        error = 4;
    if (page.horizontalDistance < page.labelWidth)
        error = 5;
    if (page.verticalDistance < page.labelHeight)
        error = 6;
    return error;
}

int LabelNumber(const std::string& text)
{
    std::string digits = text;
    RemoveBlanks(digits);
    int value = 0;
    const char* begin = digits.data();
    if (!digits.empty() && digits[0] == '+')
        ++begin;
    const auto result = std::from_chars(begin, digits.data() + digits.size(), value);
    return result.ec == std::errc() ? value : 0;
}

std::string LabelFormatErrorText(int error)
{
    return Msg(720) + " (" + std::to_string(error) + ")";
}

std::vector<std::string> ReadOffcutLabelTemplate(const DataFolders& folders)
{
    const std::optional<std::vector<std::string>> lines = ReadTextLines(OffcutLabelLayoutFile(folders));
    if (!lines)
        return {"Layout para retalho", "não definido."};
    std::vector<std::string> kept(*lines);
    if (kept.size() > static_cast<std::size_t>(kLabelTextLines))
        kept.resize(static_cast<std::size_t>(kLabelTextLines));
    return kept;
}

void WriteOffcutLabelTemplate(const DataFolders& folders, const std::vector<std::string>& lines)
{
    WriteTextLines(OffcutLabelLayoutFile(folders), lines);
}

std::vector<std::string> PieceLabelTemplate(const LabelPageSettings& page)
{
    std::vector<std::string> lines;
    for (long i = 1; i <= kLabelTextLines; ++i)
        lines.push_back(page.lines[i]);
    return lines;
}

std::vector<long long> LabelLayoutNumbers(const DataFolders& folders, long long material)
{
    std::vector<long long> numbers;
    for (long long n = 1; n <= kLastLabelLayout; ++n) {
        std::error_code error;
        if (std::filesystem::exists(LayoutFile(folders, n, material), error))
            numbers.push_back(n);
    }
    return numbers;
}

std::vector<PrintedLabel> LayoutLabels(const LayoutFileContents& layout, long long layoutNumber,
                                       const LabelSetInputs& in)
{
    const int basic = in.page.fontSize;
    long long furtherSheets = 0;
    long pieces = 0, offcuts = 0;
    for (const LayoutFileLine& line : layout.lines) {
        if (line.type == kLayoutTypeSheet)
            furtherSheets = std::max(0, line.x);
        pieces += line.type == kLayoutTypePiece;
        offcuts += line.type == kLayoutTypeOffcut;
    }

    std::vector<PrintedLabel> labels;
    if (in.identification) {
        PrintedLabel id;
        id.basicSize = kIdentificationSize;
        id.lines.push_back("@U# Montagem: " + std::to_string(in.materialCode) + " / " +
                           IntToStrZero3(layoutNumber) + " #");
        if (in.pieces)
            id.lines.push_back("   Total de peças: " + std::to_string(pieces));
        if (in.offcuts)
            id.lines.push_back("Total de retalhos: " + std::to_string(offcuts));
        id.lines.push_back("@NQuantidade: " + std::to_string(furtherSheets + 1));
        labels.push_back(id);
    }

    const std::vector<std::string> pieceTemplate = PieceLabelTemplate(in.page);
    std::vector<PrintedLabel> set;
    for (const LayoutFileLine& line : layout.lines) {
        LabelTags tags;
        tags.material = in.materialDescription;
        tags.layout = IntToStrZero3(layoutNumber);
        tags.date = in.date;
        tags.code = std::to_string(line.code);
        if (line.type == kLayoutTypePiece && in.pieces) {
            long long bl = in.borderLength, bh = in.borderHeight;
            if (bl != bh && in.orderSize) {
                // A turned piece carries its allowances turned with it.
                const auto [w, h] = in.orderSize(line.order, line.code);
                const bool straight = line.length - bl == w && line.height - bh == h;
                const bool turned = line.length - bh == h && line.height - bl == w;
                if (turned && !straight)
                    std::swap(bl, bh);
            }
            tags.width = TenthsAsMillimetres(line.length - bl);
            tags.height = TenthsAsMillimetres(line.height - bh);
            tags.order = line.order > 0 ? std::to_string(line.order) : "";
            tags.description = line.description;
            if (in.orderFields && line.order > 0) {
                auto [customer, orderCustomer] = in.orderFields(line.order);
                tags.customer = customer;
                tags.orderCustomer = orderCustomer;
            }
            set.push_back({FillLabel(pieceTemplate, tags), basic});
        } else if (line.type == kLayoutTypeOffcut && in.offcuts) {
            tags.width = TenthsAsMillimetres(line.length);
            tags.height = TenthsAsMillimetres(line.height);
            tags.description = Msg(213);
            set.push_back({FillLabel(in.offcutTemplate, tags), basic});
        }
    }
    for (long long copy = 0; copy <= furtherSheets; ++copy)
        labels.insert(labels.end(), set.begin(), set.end());
    return labels;
}

std::vector<PrintedLabel> OrderLabels(int order, const std::vector<OrderLabelRow>& rows,
                                      const LabelSetInputs& in,
                                      const std::function<std::string(int material)>& materialDescription)
{
    long long units = 0;
    for (const OrderLabelRow& row : rows)
        if (row.mark == 1)
            units += std::max(0, row.quantity);
    std::vector<PrintedLabel> labels;
    labels.push_back({{"@U# " + Msg(11) + ": " + std::to_string(order),
                       "   Qtd " + Msg(349) + ": " + std::to_string(units)},
                      kIdentificationSize});
    std::pair<std::string, std::string> fields{kNoValue, kNoValue};
    if (in.orderFields)
        fields = in.orderFields(order);
    const std::vector<std::string> pieceTemplate = PieceLabelTemplate(in.page);
    for (const OrderLabelRow& row : rows) {
        if (row.mark != 1)
            continue;
        LabelTags tags;
        tags.width = MillimetreText(row.width);
        tags.height = MillimetreText(row.height);
        tags.material = materialDescription ? materialDescription(row.material) : std::string();
        tags.customer = fields.first;
        tags.orderCustomer = fields.second;
        tags.order = std::to_string(order);
        tags.code = std::to_string(row.code);
        tags.description = row.description;
        tags.date = in.date;
        const PrintedLabel label{FillLabel(pieceTemplate, tags), in.page.fontSize};
        for (int unit = 0; unit < row.quantity; ++unit)
            labels.push_back(label);
    }
    return labels;
}

LabelPrinter::LabelPrinter(platform::PrintJobs& jobs, const LabelPageSettings& page, bool outlines,
                           std::filesystem::path logo)
    : m_jobs(jobs), m_page(page), m_outlines(outlines), m_logo(std::move(logo))
{
}

LabelPrinter::~LabelPrinter()
{
    if (m_jobs.JobOpen()) {
        m_jobs.EndJob();
        m_jobs.SetFullPage(false);
    }
}

int LabelPrinter::Pixels(double mm) const
{
    return static_cast<int>(Round(mm * m_dpi / 25.4));
}

Canvas& LabelPrinter::Page()
{
    return m_jobs.JobCanvas();
}

bool LabelPrinter::Begin(const std::string& title, const std::filesystem::path& pdfFile)
{
    m_jobs.SetFullPage(true);
    if (!m_jobs.BeginJob(title, pdfFile)) {
        m_jobs.SetFullPage(false);
        return false;
    }
    const platform::PrintPageMetrics metrics = m_jobs.Metrics();
    m_dpi = metrics.dotsPerInch > 0 ? metrics.dotsPerInch : platform::kPrintDotsPerInch;
    m_column = 1;
    m_row = 1;
    m_x = Pixels(m_page.sideMargin);
    m_y = Pixels(m_page.topMargin);
    Canvas& canvas = Page();
    canvas.brush = {kWhite, BrushStyle::Clear};
    canvas.pen = {kBlack, 1, PenStyle::Solid};
    canvas.font = {"Arial", m_page.fontSize, false, false, false, kBlack};
    return true;
}

bool LabelPrinter::Next()
{
    if (m_column < m_page.columns) {
        ++m_column;
        m_x += Pixels(m_page.horizontalDistance);
        return true;
    }
    m_column = 1;
    m_x = Pixels(m_page.sideMargin);
    if (m_row < m_page.rows) {
        ++m_row;
        m_y += Pixels(m_page.verticalDistance);
        return true;
    }
    m_row = 1;
    m_y = Pixels(m_page.topMargin);
    // The new page begins with the next label, so none is left blank at the end.
    m_pageDue = true;
    return true;
}

bool LabelPrinter::StartPageIfDue()
{
    if (!m_pageDue)
        return true;
    m_pageDue = false;
    return m_jobs.NewPage();
}

bool LabelPrinter::Print(const PrintedLabel& label)
{
    if (!StartPageIfDue())
        return false;
    Canvas& canvas = Page();
    int textX = m_x;
    int lineY = m_y;
    for (std::size_t i = 0; i < label.lines.size(); ++i) {
        std::string line = label.lines[i];
        if (i == 0 && line.find("<GRF>") != std::string::npos) {
            line.replace(line.find("<GRF>"), 5, "");
            const int w = Pixels(m_page.pictureWidth);
            const int h = Pixels(m_page.pictureHeight);
            std::error_code error;
            if (std::filesystem::exists(m_logo, error)) {
                canvas.StretchPicture({m_x, m_y, m_x + w, m_y + h}, m_logo);
            } else {
                canvas.font = {"Arial", label.basicSize, false, false, false, kBlack};
                canvas.Text({m_x, m_y}, "[" + m_logo.string() + "]?");
            }
            const LabelLineFormat first = FormatLabelLine(line, label.basicSize);
            canvas.font = {"Arial", first.size, first.bold, first.italic, first.underline, kBlack};
            textX = m_x + w + 4;
            lineY = m_y + h - canvas.MeasureText("X").height;
        }
        const LabelLineFormat f = FormatLabelLine(line, label.basicSize);
        canvas.font = {"Arial", f.size, f.bold, f.italic, f.underline, kBlack};
        canvas.brush.style = BrushStyle::Clear;
        canvas.Text({textX, lineY}, f.text);
        lineY += canvas.MeasureText(f.text.empty() ? std::string("X") : f.text).height;
    }
    if (m_outlines) {
        canvas.pen = {kBlack, 1, PenStyle::Solid};
        canvas.brush.style = BrushStyle::Clear;
        canvas.Rectangle({m_x, m_y, m_x + Pixels(m_page.labelWidth), m_y + Pixels(m_page.labelHeight)});
    }
    return Next();
}

bool LabelPrinter::PrintOutline()
{
    if (!StartPageIfDue())
        return false;
    Canvas& canvas = Page();
    canvas.pen = {kBlack, 1, PenStyle::Solid};
    canvas.brush.style = BrushStyle::Clear;
    canvas.Rectangle({m_x, m_y, m_x + Pixels(m_page.labelWidth), m_y + Pixels(m_page.labelHeight)});
    return Next();
}

bool LabelPrinter::End()
{
    if (!m_jobs.JobOpen())
        return false;
    const bool ok = m_jobs.EndJob();
    m_jobs.SetFullPage(false);
    return ok;
}

bool PrintLabels(platform::PrintJobs& jobs, const LabelPageSettings& page, bool outlines,
                 const std::filesystem::path& logo, const std::vector<PrintedLabel>& labels,
                 const std::filesystem::path& pdfFile)
{
    LabelPrinter printer(jobs, page, outlines, logo);
    if (!printer.Begin("Vorlane", pdfFile))
        return false;
    for (const PrintedLabel& label : labels)
        if (!printer.Print(label))
            return false;
    return printer.End();
}

bool PrintLabelTestPage(platform::PrintJobs& jobs, const LabelPageSettings& page,
                        const std::filesystem::path& pdfFile)
{
    LabelPrinter printer(jobs, page, true, {});
    if (!printer.Begin("Vorlane", pdfFile))
        return false;
    for (int i = 0; i < page.columns * page.rows; ++i)
        if (!printer.PrintOutline())
            return false;
    return printer.End();
}

}  // namespace vor
