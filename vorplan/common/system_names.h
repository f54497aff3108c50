#pragma once

#include <string>
#include <string_view>

namespace vor {

// The logged-on user's name, for the status line and the project files;
// empty when the system does not know it.
std::string GetUserNameText();

// The computer's name without its domain; empty when the system does not know it.
std::string GetComputerNameText();

// A registered open command cleaned to the program: cut at the first "%",
// one leading and one trailing double quote removed, then trailing blanks and
// double quotes; when an "exe" ends a word (followed by the end, a blank or a
// double quote), the text up to and including the first such "exe".
std::string CleanAssociatedCommand(std::string value);

// The program the desktop opens files with extension `ext` (without the dot)
// with: its cleaned Exec line, else its desktop file name; empty when nothing
// is registered or the desktop does not answer in time.
std::string FindAssociatedProgram(std::string_view ext);

}  // namespace vor
