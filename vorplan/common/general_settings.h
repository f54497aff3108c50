#pragma once

namespace vor {

// The options of the main settings file, held while the program runs.
struct GeneralSettings {
};

}  // namespace vor
