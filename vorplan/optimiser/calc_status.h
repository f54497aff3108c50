#pragma once

#include <string>
#include <string_view>

namespace vor {

// States of a material's run, held in its status value. An error puts its
// StatusCode (5..49) there instead, and the machine then ends with Stopped.
enum class MachineState : int {
    Initialise = 1,
    Running = 2,
    Commit = 3,
    Interrupted = 4,       // ends with status text 4
    Ended = 100,
    EndedInterrupted = 101,
    Stopped = 102,         // an error stopped the whole calculation
};

// Status text codes (and the error statuses of the same number). Codes 1 and
// 2 are normal ends; 3 and above stop further trials; 5..49 also stop the
// whole calculation.
enum class StatusCode : int {
    None = 0,
    Finished = 1,                    // every piece placed
    NoSheetForRemainingPieces = 2,   // no sheet takes any remaining piece
    Interrupted = 4,
    TooManyPiecesInLayout = 5,       // more than 1 189 pieces on one sheet
    TooManyFreeRectangles = 6,       // a free-rectangle stack deeper than 590
    NoPieces = 7,
    NoSheets = 8,
    BadPieceWidth = 9,               // width column outside 1 .. 99 999 990
    BadPieceHeight = 10,             // height column outside 1 .. 99 999 990
    PieceQuantityAbove30000 = 11,
    BadSheetWidth = 12,              // fifth field of a sheet line (its height column)
    BadSheetLength = 13,             // fourth field of a sheet line
    BadSheetQuantity = 14,
    MaterialFileMissing = 15,        // material load status
    BadKerf = 16,                    // material load status
    BadMinimumStrip = 17,            // material load status
    PieceQuantityBelow1 = 18,
    TooManyPieceLines = 19,          // 1 100 distinct pieces or more
    BadStrip = 20,                   // forced or minimum strip (or a vertical forced cut)
    SheetsWithoutArea = 21,          // not a single layout committed
    MoreThanOnePreCut = 22,
    BadForcedCut = 23,
    TooManyDiscarded = 24,           // more than 1 100 discarded rectangles
    FreeRectangleStackFull = 25,
    OrderTableUnreadable = 26,
    TooManyPiecesInTotal = 27,       // more than 70 000, or a piece list not created
    TooManySheets = 28,              // more than 500 stock entries
    BadCleavageWidth = 29,
    CleavageWidthIsKerf = 30,
    CleavageMinimumNotBelowMaximum = 31,
    PieceLongerThanCleavageMaximum = 32,
    NegativeSafetyBorder = 33,
    BadExtraPieceOrLength = 34,      // bad extra piece, or a searched length below 1
    BadSearchedWidth = 35,           // a searched width below 1
    Abbreviated = 60,                // by the user or by the time limit
    TooManyLayoutElements = 400,     // more than 3 290 elements in one layout
};

constexpr int ToInt(StatusCode code) { return static_cast<int>(code); }
constexpr int ToInt(MachineState state) { return static_cast<int>(state); }

// A status value that stops the whole calculation (5..49).
constexpr bool IsStopStatus(int status) { return status >= 5 && status <= 49; }

// The text shown and stored for status text code `code`: messages 431..450
// for 1, 2, 4..6, 9..20; 437 and the material code for 7; 437, the material
// code and 438 for 8; 451 and 452 for 21; 453..464 for 22..33; 801 for 34;
// message 465, a blank and the code for any other. Codes above 4 get message 430 and a blank in front; `detail`
// (the piece loader's detail text) is appended.
std::string StatusText(int code, long long materialCode, std::string_view detail);

// The piece loader's detail text: " (" quantity ", " message 804 " " line ")".
std::string PieceLineDetailText(long long quantity, long long lineNumber);

}  // namespace vor
