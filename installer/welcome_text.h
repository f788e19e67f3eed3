// What the main dialog says of its maker: the web site behind its button and the welcome text
// of a theme that brings none.
#pragma once

#include <string>

inline constexpr char kMakerWebSite[] = "http://www.glimmerwright.example.com/";

// Plain text, each line ending in CR CR LF; the last line names the maker's web site.
std::string BuiltInWelcomeText();
