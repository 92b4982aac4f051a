#pragma once

#include <string>
#include <string_view>

// The suffix a file dialog adds to a name typed without one, the way desktop programs do: the
// chosen filter's, so that the file shows up under that filter later ("Data Files (*.dat)"
// makes "run 3" into "run 3.dat").
namespace core {

// The suffix of a file dialog filter, from its first pattern: ".dat" for "Data Files (*.dat)",
// ".pdf" for "PDF Files (*.pdf)"; empty for a pattern without one ("All Files (*)", "*.*").
std::string FilterSuffix(std::string_view filter);

// `path` with the filter's suffix appended when its file name (the part after the last "/")
// has none: no "." in it, the rule of the toolkit's file dialogs. A name that already has a
// suffix, any suffix, stays as typed, and so do an empty name and a name ending in "/".
std::string WithFilterSuffix(std::string_view path, std::string_view filter);

}  // namespace core
