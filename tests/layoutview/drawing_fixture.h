#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "tests/support/recording_canvas.h"
#include "vorplan/layoutview/layout_drawing.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/viewer_settings.h"
#include "vorplan/optimiser/layout_files.h"

namespace vortest {

// A layout made by hand: the sheet line first, then the elements as given.
inline vor::LayoutState MakeLayout(int length, int height, vor::SheetTrims trims,
                                   std::initializer_list<vor::ViewerElement> elements)
{
    vor::LayoutState state;
    state.sheetLength = length;
    state.sheetHeight = height;
    state.trims = trims;
    vor::ViewerElement sheet;
    sheet.type = vor::kLayoutTypeSheet;
    sheet.length = length;
    sheet.height = height;
    state.elements.push_back(sheet);
    for (const vor::ViewerElement& e : elements)
        state.elements.push_back(e);
    return state;
}

inline vor::ViewerElement Element(int type, int code, int x, int y, int length, int height,
                                  std::string description = " x", int group = 1)
{
    return vor::ViewerElement{.type = type, .code = code, .x = x, .y = y, .length = length,
                              .height = height, .description = std::move(description),
                              .colourGroup = group};
}

inline vor::ViewerElement Piece(int code, int x, int y, int length, int height,
                                std::string description = " x", int group = 1)
{
    return Element(vor::kLayoutTypePiece, code, x, y, length, height, std::move(description), group);
}

// A drawing context on a recording canvas, with its own settings and an
// 800 x 600 paint box fitted to `extent`.
struct DrawingFixture {
    explicit DrawingFixture(long long extent = 1000, vor::DrawTarget target = vor::DrawTarget::Screen,
                            int pixelsPerPoint = 1)
        : canvas(pixelsPerPoint)
    {
        view.boxWidth = 800;
        view.boxHeight = 600;
        view.drawingWidth = 4000;
        vor::FitLayout(view, extent);
        context.canvas = &canvas;
        context.target = target;
        context.view = &view;
        context.display = &display;
        context.print = &print;
        context.keys = &keys;
        context.cutLines = &lines;
    }

    RecordingCanvas canvas;
    vor::ViewTransform view;
    vor::ViewerDisplaySettings display;
    vor::MapPrintSettings print;
    vor::PrintLetterKeys keys;
    vor::CutLineList lines;
    vor::DrawContext context;
};

}  // namespace vortest
