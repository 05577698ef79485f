// Where a file dialog starts: the directory of a remembered file path.
#pragma once

#include <string>

// The directory part of `path`; a path that names a directory is taken whole,
// and a bare file name gives the empty text (the dialog's own choice).
std::string DialogStartDirectory(const std::string& path);
