#include "ostrel/print_layout.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "vorplan/common/conversions.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/user_file.h"

namespace ostrel {

namespace {

using vor::IntText;

std::string TwoDigits(int n)
{
    std::string s = IntText(n % 100 < 0 ? -(n % 100) : n % 100);
    return s.size() < 2 ? "0" + s : s;
}

void ReplaceFirst(std::string& text, std::string_view field, std::string_view value)
{
    const std::size_t at = text.find(field);
    if (at != std::string::npos)
        text.replace(at, field.size(), value);
}

int ToPixels(double value) { return static_cast<int>(vor::Round(value)); }

double MmValue(const std::string& text) { return vor::StrToRealComma(text); }

Font ArialFont(int size)
{
    Font f;
    f.pointSize = size;
    return f;
}

// One run of the page pass; without output it only counts.
class PagePass {
public:
    PagePass(const PrintJob& job, bool output, int totalPages)
        : m_job(job),
          m_output(output),
          m_total(totalPages),
          m_renderer(*job.printer, MakeRenderSettings(job.settings, job.mode))
    {
        const OstrelSettings& s = job.settings;
        const PrinterGeometry& g = job.geometry;
        const Font base = ArialFont(s.letterSize);
        m_xHeight = job.printer->TextHeight(base, "X");
        const int screenX = job.screen->TextHeight(base, "X");
        m_scale = screenX > 0 ? static_cast<double>(m_xHeight) / screenX : 1.0;
        m_left = ToPixels(MmValue(s.marginLeft) * g.pxPerMmX);
        m_top = ToPixels(MmValue(s.marginTop) * g.pxPerMmY);
        m_bottom = ToPixels(MmValue(s.marginBottom) * g.pxPerMmY);
        m_reserve = m_xHeight + 5;
        m_headerX = job.printer->TextHeight(ArialFont(12), "X");
        m_footerTop = g.pageHeight - (m_xHeight + 8) - m_bottom;
    }

    std::vector<PrintedPage> Run()
    {
        const ReportStore& report = *m_job.report;
        const ReportDocument& doc = report.Document();
        const int n = report.RowCount();
        const int pageWidth = m_job.geometry.pageWidth;
        const int pageHeight = m_job.geometry.pageHeight;
        const int bodyHeight = m_footerTop - (m_top + m_headerX + 15);
        bool pageOpen = false;
        int rowsOnPage = 0;
        for (int i = 0; i < n; ++i) {
            m_tableTitle = doc.TitleOf(i);
            if (i == 0) {
                StartPage();
                pageOpen = true;
            }
            const int h = PrintedHeight(i);
            // A row taller than a page gets a page of its own and is clipped there.
            const bool tall = h > bodyHeight;
            if (tall && rowsOnPage > 0) {
                EndPage();
                StartPage();
                rowsOnPage = 0;
            }
            Rect rect{30, m_y, pageWidth - 40, m_y + h};
            if (tall)
                rect.bottom = std::min(rect.bottom, std::max(m_y, m_footerTop));
            DrawRow(i, rect);
            ++rowsOnPage;
            m_y += h;
            if (doc.InTable(i))
                m_y += ToPixels(h * 0.1);
            if (pageHeight - m_reserve - m_bottom - h - 10 < m_y) {
                EndPage();
                pageOpen = false;
                if (i < n - 1) {
                    StartPage();
                    pageOpen = true;
                    rowsOnPage = 0;
                }
            }
        }
        if (pageOpen)
            EndPage();
        return std::move(m_pages);
    }

private:
    int PrintedHeight(int row) const { return ToPixels(m_job.report->Height(row) * m_scale); }

    DrawOps* Ops() { return m_output ? &m_pages.back().ops : nullptr; }

    void DrawRow(int row, const Rect& rect)
    {
        if (!m_output)
            return;
        LineGeometry g;
        g.rect = rect;
        g.originX = m_left;
        g.areaWidth = m_job.geometry.pageWidth;
        g.mark = m_job.report->Mark(row);
        m_renderer.Render(m_job.report->Document(), row, g, *Ops());
    }

    void StartPage()
    {
        PrintedPage page;
        page.number = static_cast<int>(m_pages.size()) + 1;
        m_pages.push_back(std::move(page));
        const OstrelSettings& s = m_job.settings;
        const int pageWidth = m_job.geometry.pageWidth;
        const Rect pageRect{0, 0, pageWidth, m_job.geometry.pageHeight};
        m_y = m_top;
        if (m_output && !s.headerText.empty())
            Ops()->push_back(DrawOp::MakeText(m_left + 10, m_y, s.headerText, ArialFont(12), colours::kBlack,
                                              pageRect));
        m_y += m_headerX + 5;
        if (m_output && s.headerRule)
            Ops()->push_back(DrawOp::MakeLine(m_left, m_y - 2, pageWidth, m_y - 2, 1, colours::kBlack));
        m_y += 10;
        if (m_tableTitle >= 0) {
            const int h = PrintedHeight(m_tableTitle);
            DrawRow(m_tableTitle, Rect{30, m_y, pageWidth - 40, m_y + h});
            m_y += h;
        }
    }

    void EndPage()
    {
        if (!m_output)
            return;
        const OstrelSettings& s = m_job.settings;
        const int pageWidth = m_job.geometry.pageWidth;
        const Rect pageRect{0, 0, pageWidth, m_job.geometry.pageHeight};
        DrawOps& ops = *Ops();
        int y = m_footerTop;
        if (s.footerRule)
            ops.push_back(DrawOp::MakeLine(m_left, y, pageWidth, y, 1, colours::kBlack));
        y += 5;
        const Font small = ArialFont(9);
        const std::string footer = FooterText(s.footerText, m_job.now, m_pages.back().number, m_total);
        const int width = m_job.printer->TextWidth(small, footer);
        ops.push_back(DrawOp::MakeText(pageWidth - ToPixels(1.3 * width), y, footer, small, colours::kBlack,
                                       pageRect));
        ops.push_back(DrawOp::MakeText(m_left, y, std::string(kFooterSignature), small, colours::kBlack,
                                       pageRect));
        DrawPictures();
    }

    bool Exists(const std::string& file) const
    {
        if (m_job.pictureExists)
            return m_job.pictureExists(file);
        // A FIFO or a device would hang or flood the print; such a file counts as missing.
        return vor::IsRegularFileWithin(std::filesystem::path(file), vor::kMaxPictureFileBytes);
    }

    void DrawPictures()
    {
        const OstrelSettings& s = m_job.settings;
        const PrinterGeometry& g = m_job.geometry;
        PrintedPage& page = m_pages.back();
        if (!s.picture1.file.empty()) {
            const PictureSettings& p = s.picture1;
            if (!Exists(p.file)) {
                page.missingPictures.push_back(p.file);
            } else {
                const int width = ToPixels(MmValue(p.width) * g.pxPerMmX);
                Rect r;
                r.left = MmValue(p.x) < 0 ? g.pageWidth - width - 1 : ToPixels(MmValue(p.x) * g.pxPerMmX);
                r.top = ToPixels(MmValue(p.y) * g.pxPerMmY);
                r.right = r.left + width;
                r.bottom = r.top + ToPixels(MmValue(p.height) * g.pxPerMmY);
                page.ops.push_back(DrawOp::MakePicture(r, p.file));
            }
        }
        if (!s.picture2.file.empty()) {
            const PictureSettings& p = s.picture2;
            const int width = ToPixels(MmValue(p.width) * g.pxPerMmX);
            const int height = ToPixels(MmValue(p.height) * g.pxPerMmY);
            Rect r;
            r.left = ToPixels(MmValue(p.x) * g.pxPerMmX);
            r.top = ToPixels(MmValue(p.y) * g.pxPerMmY);
            if (MmValue(p.y) < 0)
                r.top = g.pageHeight - height;
            if (MmValue(p.x) < 0)
                r.left = ToPixels(g.pageWidth / 2.0) - ToPixels(MmValue(p.width) * g.pxPerMmX / 2.0) - 1;
            r.right = r.left + width;
            r.bottom = r.top + height;
            if (Exists(p.file))
                page.ops.push_back(DrawOp::MakePicture(r, p.file));
            else
                page.ops.push_back(DrawOp::MakeText(r.left, r.top, "[" + p.file + "]?", ArialFont(9),
                                                    colours::kBlack, r));
        }
    }

    const PrintJob& m_job;
    bool m_output;
    int m_total;
    MarkupRenderer m_renderer;
    double m_scale = 1.0;
    int m_xHeight = 0;
    int m_headerX = 0;
    int m_left = 0, m_top = 0, m_bottom = 0;
    int m_reserve = 0;
    int m_footerTop = 0;
    int m_y = 0;
    int m_tableTitle = -1;
    std::vector<PrintedPage> m_pages;
};

}  // namespace

PrinterGeometry MakePrinterGeometry(int widthPx, int heightPx, double widthMm, double heightMm)
{
    PrinterGeometry g;
    g.pageWidth = widthPx;
    g.pageHeight = heightPx;
    g.pxPerMmX = widthMm > 0 ? widthPx / widthMm : 1.0;
    g.pxPerMmY = heightMm > 0 ? heightPx / heightMm : 1.0;
    return g;
}

std::string FooterText(std::string_view pattern, const platform::LocalTime& now, int page, int totalPages)
{
    std::string text(pattern);
    ReplaceFirst(text, "<DATA>", TwoDigits(now.day) + "/" + TwoDigits(now.month) + "/" + TwoDigits(now.year));
    ReplaceFirst(text, "<HORA>", TwoDigits(now.hour) + ":" + TwoDigits(now.minute) + ":" + TwoDigits(now.second));
    ReplaceFirst(text, "<PG>", IntText(page));
    ReplaceFirst(text, "<TPG>", IntText(totalPages));
    return text;
}

const std::string& FieldText(const OstrelSettings& settings, PrintField field)
{
    return FieldText(const_cast<OstrelSettings&>(settings), field);
}

std::string& FieldText(OstrelSettings& s, PrintField field)
{
    switch (field) {
    case PrintField::MarginLeft: return s.marginLeft;
    case PrintField::MarginTop: return s.marginTop;
    case PrintField::MarginBottom: return s.marginBottom;
    case PrintField::Picture1X: return s.picture1.x;
    case PrintField::Picture1Y: return s.picture1.y;
    case PrintField::Picture1Width: return s.picture1.width;
    case PrintField::Picture1Height: return s.picture1.height;
    case PrintField::Picture2X: return s.picture2.x;
    case PrintField::Picture2Y: return s.picture2.y;
    case PrintField::Picture2Width: return s.picture2.width;
    case PrintField::Picture2Height: break;
    }
    return s.picture2.height;
}

FieldRange RangeOf(PrintField field, const OstrelSettings& s, const PrinterGeometry& g)
{
    const double width = g.pxPerMmX > 0 ? g.pageWidth / g.pxPerMmX : 0.0;
    const double height = g.pxPerMmY > 0 ? g.pageHeight / g.pxPerMmY : 0.0;
    // The other vertical margin as far as it is sound itself.
    const auto rest = [height](const std::string& other) {
        return height / 2 - std::clamp(MmValue(other), 0.0, height / 2);
    };
    switch (field) {
    case PrintField::MarginLeft: return {0.0, width / 2};
    case PrintField::MarginTop: return {0.0, rest(s.marginBottom)};
    case PrintField::MarginBottom: return {0.0, rest(s.marginTop)};
    case PrintField::Picture1X:
    case PrintField::Picture2X: return {-width, width};
    case PrintField::Picture1Y:
    case PrintField::Picture2Y: return {-height, height};
    case PrintField::Picture1Width:
    case PrintField::Picture2Width: return {0.0, width};
    case PrintField::Picture1Height:
    case PrintField::Picture2Height: break;
    }
    return {0.0, height};
}

bool FieldWithin(PrintField field, const OstrelSettings& settings, const PrinterGeometry& geometry)
{
    const double value = MmValue(FieldText(settings, field));
    const FieldRange range = RangeOf(field, settings, geometry);
    return value >= range.lowest && value <= range.highest;
}

std::optional<PrintField> FirstFieldOutOfRange(const OstrelSettings& settings, const PrinterGeometry& geometry)
{
    for (const PrintField field : kPrintFields) {
        const bool picture1 = field >= PrintField::Picture1X && field <= PrintField::Picture1Height;
        const bool picture2 = field >= PrintField::Picture2X;
        if ((picture1 && settings.picture1.file.empty()) || (picture2 && settings.picture2.file.empty()))
            continue;
        if (!FieldWithin(field, settings, geometry))
            return field;
    }
    return std::nullopt;
}

bool HasPrintableLines(const ReportStore& report)
{
    for (int row = 0; row < report.RowCount(); ++row)
        if (report.Text(row).find_first_not_of(" \t") != std::string::npos)
            return true;
    return false;
}

int CountPages(const PrintJob& job)
{
    return static_cast<int>(PagePass(job, false, 0).Run().size());
}

std::vector<PrintedPage> LayOutPages(const PrintJob& job, int totalPages)
{
    return PagePass(job, true, totalPages).Run();
}

}  // namespace ostrel
