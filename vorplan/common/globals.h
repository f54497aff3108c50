#pragma once

#include "vorplan/common/calc_data_reader.h"
#include "vorplan/common/calc_lists.h"
#include "vorplan/common/conversions.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/general_settings.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/order_list.h"

namespace vor {

// The one block of state the whole of vorplan shares. Core routines take what
// they need as arguments; only the thin wrappers and the windows read this.
struct SharedGlobals {
    DataFolders folders;
    long long currentOrder = 0;     // names the files of the order worked on
    long long currentMaterial = 0;  // names the files of the material worked on
    int dimensionPrecision = 1;     // 1: dimensions in tenths of a millimetre
    SplitFieldArrays splitFields;
    MessageTable messages;
    int languageIndex = 1;  // 1 pt, 2 en, 3 es, 4 nl, 5 es (Spain)
    IconCaptionTable iconCaptions;
    GeneralSettings settings;
    MaterialRecord currentMaterialRecord;  // CurrentMaterial: the record LoadMaterial fills
    MaterialTable materialTable;
    CalcLists calcLists;             // calculation selections and recent projects
    OrderFieldCaptions orderFields;  // LoadOrderFieldCaptions
    InterfaceSettings interfaces;    // MRP.INI and CNC.INI
    OrderList orderList;             // the orders, rebuilt from their files when dirty
    std::string reportFile;          // the last report handed to ostrel
    bool busy = false;               // an action of the main window runs; the icons wait
};

extern SharedGlobals gShared;

}  // namespace vor
