// A material file as a user may bring it: any bytes. The record loader and the
// window's reader must take it, and what the window writes back must read the
// same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "vorplan/common/codec.h"
#include "vorplan/common/errors.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/material_record.h"
#include "vorplan/orders/material_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using vorfuzz::Check;
using vorfuzz::Join;
using vorfuzz::Quoted;

bool AnyQuoted(const vor::MaterialFileValues& v)
{
    for (const auto& f : v.fields) {
        if (Quoted(f))
            return true;
    }
    for (const auto& t : v.times) {
        if (Quoted(t))
            return true;
    }
    for (const std::string* s :
         {&v.family, &v.supplier, &v.finish, &v.created, &v.kerf, &v.minStripWidth,
          &v.minOffcutWidth, &v.minOffcutHeight, &v.pieceConstant, &v.pieceConstantX,
          &v.pieceConstantY, &v.cutLengthLimit, &v.trimTop, &v.trimBottom, &v.trimLeft,
          &v.trimRight, &v.thickness, &v.weightPerArea, &v.purchasePrice, &v.saleFactor,
          &v.cutPriceConstant, &v.doubleDescription, &v.doubleMaterial1, &v.doubleMaterial2}) {
        if (Quoted(*s))
            return true;
    }
    return false;
}

bool LoadRecord(const vor::IniDocument& doc, vor::MaterialRecord& record)
{
    try {
        record = vor::MaterialRecordFromIni(doc);
    } catch (const vor::OverflowError&) {
        return false;  // a length without an integer number of tenths
    }
    Check(record.loadStatus == 0 || record.loadStatus == 16 || record.loadStatus == 17);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text =
        vor::DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    vor::IniDocument doc = vor::IniDocument::Parse(text);

    vor::MaterialRecord record;
    const bool loaded = LoadRecord(doc, record);

    const std::string now = "01/01/24  00:00:00";
    const vor::MaterialFileValues values = vor::ReadMaterialFile(doc, now);
    vor::SalePriceText(values.purchasePrice, values.saleFactor);

    vor::SetMaterialValues(doc, values, now);
    const vor::IniDocument saved = vor::IniDocument::Parse(Join(doc));
    const vor::MaterialFileValues again = vor::ReadMaterialFile(saved, "later");
    Check(again.colour == values.colour && again.makesOffcuts == values.makesOffcuts &&
          again.mayRotate == values.mayRotate && again.mayDivide == values.mayDivide &&
          again.cutLengthFree == values.cutLengthFree && again.lastModified == now);
    if (!AnyQuoted(values)) {
        vor::MaterialFileValues expected = values;
        expected.lastModified = now;
        Check(again == expected);
        // The record reads the saved file as it read the original.
        vor::MaterialRecord reread;
        Check(LoadRecord(saved, reread) == loaded);
        if (loaded)
            Check(reread == record);
    }
    return 0;
}
