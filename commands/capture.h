#pragma once

#include "commands/text.h"

#include <cstdint>

// Receives one piece of a command's output as it arrives; a null address stands for an empty
// piece. The piece is valid only during the call. Zero lets the capture go on, anything else
// stops it.
using ChunkCallback = std::int32_t (*)(const char* chunk);

// Runs the command line through the command interpreter with its standard output and standard
// error captured, keeping the window responsive meanwhile, and yields what was collected.
Text CaptureCommandOutput(const Text& commandLine, ChunkCallback callback, bool callbackGiven);
