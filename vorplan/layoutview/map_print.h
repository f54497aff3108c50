#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "vorplan/layoutview/cut_lines.h"
#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/viewer_settings.h"

namespace platform {
class PrintJobs;
}

namespace vor {

// The print settings window's controls as the printing reads them: the stored
// ones as the viewer's settings hold them, and those kept for the program run.
struct MapPrintOptions {
    MapPrintSettings stored;
    int mapsPerSheet = 1;       // "1", "2 " or "4"
    bool largeDrawing = false;  // "Grande"; false is "Normal"
    bool pieceList = true;      // CheckBox2, the list (or the PCB information) after the drawing
    bool initialCuts = false;   // CheckBox3 "Cortes iniciais"
    bool pageOutline = false;   // CheckBox4 "Contorno da folha"
    bool operator==(const MapPrintOptions&) const = default;
};

// The six print colours in the window's order: text, header, date and time,
// sheet dimensions, initial cuts, piece outlines (0x00BBGGRR).
using MapPrintColours = std::array<int, 6>;
MapPrintColours PrintColoursOf(const MapPrintSettings& settings);
void SetPrintColours(MapPrintSettings& settings, const MapPrintColours& colours);

enum class MapColourModel { BlackAndWhite, Colour1, Colour2 };  // Button2, Button3, Button4
MapPrintColours ColourModel(MapColourModel model);

// The vertical correction factor as the window writes it back: read with a
// comma or a point (no number reads 0), kept within 0.5 .. 1.0, 2 decimals.
std::string VerticalFactorText(const std::string& typed);

// Which of the window's controls may be used.
struct MapPrintEnabling {
    bool twoPerSheet = true;    // "2 "
    bool fourPerSheet = true;   // "4"
    bool normal = true;         // "Normal"
    bool large = true;          // "Grande"
    bool sheetMargins = true;   // "Imprime margens de chapa"
    bool pieceList = true;      // CheckBox2
    bool intensity = true;      // "Intensidade de cor"
};
MapPrintEnabling MapPrintControlsEnabled(int mapsPerSheet, bool pcbOption, bool colouredFill);

// The maps on one sheet of paper: the PCB option prints one.
int EffectiveMapsPerSheet(const MapPrintOptions& options, bool pcbOption);
// The width in printer pixels reserved for one drawing on a page `pageWidth` wide.
int MapDrawingWidth(int pageWidth, const MapPrintOptions& options, bool pcbOption);
// The footer's font size, 8 .. 30 (a text that is no number reads 0, so 8).
int FooterFontSize(const std::string& text);
// The extra header lines' font size: 10 when below 7 or above 20.
int ExtraHeaderFontSize(const std::string& text);
// The first header line: product, version and the maker's address.
std::string MapProductLine();
// "yymmdd-hhmmss" of `now`, as export file names carry it.
std::string FileStamp(const platform::LocalTime& now);
// folder/stem + ".pdf"; when that file exists "_2", "_3", ... goes before
// ".pdf", so no file is ever written over.
std::filesystem::path FreeExportPdfFile(const std::filesystem::path& folder, const std::string& stem);
// EXPORT/"MAPAS_" + material + "_" + yymmdd-hhmmss + ".pdf"; when that file
// exists "_2", "_3", ... goes before ".pdf", so no file is ever written over.
std::filesystem::path FreeMapPdfFile(const std::filesystem::path& exportFolder,
                                     long long material, const platform::LocalTime& now);

// What the run reads besides the options.
struct MapPrintInputs {
    bool pcbOption = false;
    double aspect = 1.0;  // the vertical correction factor
    bool showDecimals = true;
    bool longNumbers = false;
    std::string listName;  // as stored: cut at its last "~" twice before printing
    std::string materialDescription;
    std::string date;  // "dd/mm/yy"
    std::string time;  // "hh:mm:ss"
    std::vector<std::string> pcbCaptions;  // CAMPO0, PEDIDO, CAMPO1 .. CAMPO9
    int kerf = 0;
    bool specialPerimeter = false;
};

// The viewer's side of a run.
struct MapPrintViewer {
    LayoutState* state = nullptr;
    ViewTransform* view = nullptr;
    ViewerDisplaySettings* display = nullptr;
    // Makes `state` the layout of the given number (read and fitted).
    std::function<void(long long)> readLayout;
    std::function<void()> redrawScreen;
};

enum class MapPrintOutcome {
    Printed,
    NothingChosen,  // a beep, no job
    JobRefused,     // the printer or the PDF file could not start a job
    OutputFailed,   // a page or the end of a job failed
};

struct MapPrintResult {
    MapPrintOutcome outcome = MapPrintOutcome::Printed;
    int sheets = 0;  // sheets of paper begun
};

// The print state of one run and its routines; the drawing goes on the
// canvas of the print job service's open job.
class MapPrinter {
public:
    MapPrinter(MapPrintOptions& options, const MapPrintInputs& inputs, MapPrintViewer& viewer,
               platform::PrintJobs& jobs, std::filesystem::path pdfFile);

    // The chosen layouts, in order, one, two or four to a sheet of paper. On
    // a printer each sheet is its own job; into a PDF file all go into one.
    MapPrintResult Run(const std::vector<long long>& chosen);

    // Writes `text` at the cursor, right-aligned by the width of "0" when
    // asked, then moves to the start of the next line.
    void PrintLine(const std::string& text, bool rightAligned);
    // The same as a fixed-width cell: the width of "X" per character, no line feed.
    void PrintCell(const std::string& text, bool rightAligned);
    // The current layout at the current place on the sheet.
    bool PrintLayoutPage();


private:
    struct Cell {
        std::string text;
        bool right = false;
    };
    using ListLine = std::vector<Cell>;

    bool OpenSheet();
    bool CloseSheet();
    Canvas& Page();
    void NewLine();
    void SetFont(const char* name, int size, WinColor colour);
    void PrintHeaderBlock(int top);
    void PrintStatistics(int top);
    void PrintFooter();
    void PrintDimensionLines();
    void DrawCurrentLayout();
    void PrintCaptionBlock(int x, int y);
    std::vector<ListLine> ListLines();
    bool PrintLists(int top, int bottom);
    int LineWidth(const ListLine& line);

    MapPrintOptions& m_options;
    const MapPrintInputs& m_inputs;
    MapPrintViewer& m_viewer;
    platform::PrintJobs& m_jobs;
    std::filesystem::path m_pdfFile;
    MapPrintSettings m_printing;  // the stored settings as this run applies them
    PrintLetterKeys m_keys;
    CutLineList m_cutLines;
    int m_perSheet = 1;

    // The print state.
    bool m_sheetOpen = false;
    bool m_sheetFull = false;  // a list ran onto a further sheet
    int m_position = 0;        // maps already on the current sheet
    int m_sheets = 0;
    int m_width = 0, m_height = 0;
    int m_drawingWidth = 0;
    int m_leftMargin = 0, m_topMargin = 0;
    int m_pageOffset = 0;
    int m_column = 0;  // the calling block's offset
    int m_cursorX = 0, m_cursorY = 0;
    int m_lineStart = 0;
    int m_blockEnd = 0;
    int m_statisticsEnd = 0;
    int m_footerTop = 0;
};

}  // namespace vor
