#pragma once

namespace vor {

// The maker's address the programs show and print: a placeholder of this project.
inline constexpr char kMakerAddress[] = "https://www.vorlane.example/";
inline constexpr char kMakerCaption[] = "www.vorlane.example";

}  // namespace vor
