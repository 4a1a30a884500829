// A console command whose output a capture collects. Its arguments are steps, done in order:
//   out:TEXT    writes TEXT to standard output        err:TEXT   the same to standard error
//   hex:HEX     writes the bytes spelled in hex        fill:N     writes N bytes of 'A' to 'Z'
//   sleep:MS    sleeps                                 mark:PATH  creates the file PATH
//   flood:PATH  writes until a write fails, then creates PATH and ends with code 3
//   spawn       starts a copy of itself that inherits its handles and does the steps after this
//               one, then ends without waiting for it
// A step that fails ends the program with code 2.
#include "tests/support/hex.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Write(DWORD stream, const char* bytes, std::size_t size)
{
    HANDLE out = GetStdHandle(stream);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(out, bytes, static_cast<DWORD>(size), &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool Write(const std::string& bytes)
{
    return Write(STD_OUTPUT_HANDLE, bytes.data(), bytes.size());
}

bool Fill(unsigned long count)
{
    // Large outputs go out in pieces as a real command's would, not in one giant write.
    std::string piece(64 * 1024, '\0');
    for (std::size_t i = 0; i < piece.size(); ++i)
        piece[i] = static_cast<char>('A' + i % 26);
    while (count > 0) {
        const std::size_t size = count < piece.size() ? count : piece.size();
        if (!Write(STD_OUTPUT_HANDLE, piece.data(), size))
            return false;
        count -= static_cast<unsigned long>(size);
    }
    return true;
}

bool Mark(const std::string& path)
{
    const win32::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool Spawn(const std::vector<std::string>& steps)
{
    char image[MAX_PATH];
    GetModuleFileNameA(nullptr, image, sizeof image);
    std::string line = std::string("\"") + image + "\"";
    for (const std::string& step : steps)
        line += " \"" + step + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &created))
        return false;
    win32::ProcessHandles::Adopt(created);
    return true;
}

}  // namespace

bool Step(const std::string& name, const std::string& value)
{
    if (name == "out")
        return Write(value);
    if (name == "err")
        return Write(STD_ERROR_HANDLE, value.data(), value.size());
    if (name == "hex")
        return Write(Unhex(value));
    if (name == "fill")
        return Fill(std::strtoul(value.c_str(), nullptr, 10));
    if (name == "mark")
        return Mark(value);
    if (name == "sleep") {
        Sleep(std::strtoul(value.c_str(), nullptr, 10));
        return true;
    }
    return false;
}

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        const std::size_t colon = step.find(':');
        const std::string name = step.substr(0, colon);
        const std::string value = colon == std::string::npos ? std::string() : step.substr(colon + 1);
        if (name == "flood") {
            while (Fill(4096)) {
            }
            return Mark(value) ? 3 : 2;
        }
        if (name == "spawn")
            return Spawn(std::vector<std::string>(argv + i + 1, argv + argc)) ? 0 : 2;
        if (!Step(name, value))
            return 2;
    }
    return 0;
}
