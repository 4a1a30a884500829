#pragma once

#include <string>

// The temporary folder, without a trailing backslash.
std::string TempFolder();

// A path in the temporary folder that no file holds yet and that no other process is handed: the
// name carries this process's id and a count of its own.
std::string FreshTempPath();
