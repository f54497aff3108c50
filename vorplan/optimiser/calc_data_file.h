#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"

namespace vor {

class IniFile;
struct CalcSettings;

// What the last calculation was and how it ended, for CALC_DAT.INI.
struct LastCalculation {
    int multiplier = 1;
    std::vector<long long> materials;  // the run's material list, in order
    platform::LocalTime start;         // from the clock service when the run started
    std::string elapsed = "00:00:00";  // as the window shows it
    int statusText = 0;                // the final status text code
    std::string statusMessage;         // its text
    long long piecesSelected = 0;
    long long piecesPlaced = 0;
    std::vector<long long> orders;     // the orders that took part, in list order
};

// "dd/mm/yy" and "hh:mm:ss" of a clock reading.
std::string CalcDateText(const platform::LocalTime& t);
std::string CalcTimeText(const platform::LocalTime& t);

// The order numbers joined by ", ".
std::string JoinOrderNumbers(const std::vector<long long>& orders);

// Writes the calculation record: section DADOS_ULT_CALC, then the copy of the
// options in DADOS_CONF_CALC (borders, strip and cut sizes converted as the
// run converts them), then PEDIDOS at the end of DADOS_ULT_CALC. Other keys
// of the file stay. Throws IoError when the file cannot be saved, and
// OverflowError when a length box has no integer value.
void WriteLastCalculation(IniFile& calcData, const LastCalculation& run,
                          const CalcSettings& settings);
void WriteLastCalculation(const LastCalculation& run, const CalcSettings& settings);  // shared MONT

}  // namespace vor
