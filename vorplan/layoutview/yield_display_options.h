#pragma once

namespace vor {

// What the results window's summary of the calculated layouts lists. Not
// stored: the options last for the program run.
struct YieldDisplayOptions {
    bool roundedYield = false;     // the yield from rounded areas, else from real ones
    bool sheetsAndOffcuts = true;  // "Chapas / ret. util."
    bool projects = true;          // "proj. calculados"
    bool perimeter = false;        // "Perímetro", only with the sheets listed

    // "Perímetro" can be chosen only while the sheets are listed.
    bool PerimeterEnabled() const { return sheetsAndOffcuts; }
};

}  // namespace vor
