#include "commands/capture.h"

Text CaptureCommandOutput(const Text&, ChunkCallback, bool)
{
    return Text();
}
