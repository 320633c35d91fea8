#pragma once
// Batch modes of the program, with no window: text conversions from standard
// input to standard output, and the link check of pages.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// When the arguments ask for a batch mode, runs it and returns the exit
// status (0 success, 1 failure or missing links, 2 wrong usage or an
// unreadable file); otherwise nullopt.
std::optional<int> RunCommandLineMode(const std::vector<std::string>& arguments, std::istream& in,
                                      std::ostream& out, std::ostream& err);

// The conversion of one mode applied to editor text (UTF-8, CR LF breaks);
// nullopt for an unknown mode or number.
std::optional<std::string> ConvertForMode(const std::string& mode, const std::string& text);
