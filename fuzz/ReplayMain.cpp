// A main() for a fuzz target built without libFuzzer: it feeds the target every file
// named on the command line, and every file inside the folders named there, once each,
// in name order, as libFuzzer does with -runs=0. The sanitizer build links each target
// with it, so that the seeds and the inputs that once broke a reader are replayed under
// AddressSanitizer and UndefinedBehaviorSanitizer by the test suite, with the compiler the
// suite uses; exploring new inputs needs libFuzzer (scripts/fuzz.sh).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);
// Targets that set up an application before the first input define this.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* Argc, char*** Argv);

namespace {
namespace fs = std::filesystem;

// The regular files of Path (itself when it is one), sorted; false when it is neither a
// file nor a folder.
bool Collect(const fs::path& Path, std::vector<fs::path>& Out)
{
    std::error_code error;
    if (fs::is_regular_file(Path, error)) {
        Out.push_back(Path);
        return true;
    }
    if (!fs::is_directory(Path, error))
        return false;
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Path, error))
        if (entry.is_regular_file(error))
            found.push_back(entry.path());
    if (error)
        return false;
    std::sort(found.begin(), found.end());
    Out.insert(Out.end(), found.begin(), found.end());
    return true;
}

bool ReadAll(const fs::path& Path, std::vector<uint8_t>& Out)
{
    std::ifstream in(Path, std::ios::binary);
    if (!in)
        return false;
    Out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
} // namespace

int main(int Argc, char** Argv)
{
    std::vector<fs::path> inputs;
    for (int k = 1; k < Argc; ++k)
        if (!Collect(Argv[k], inputs)) {
            std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", Argv[k]);
            return 2;
        }
    if (inputs.empty()) {
        std::fprintf(stderr, "replay: no inputs (usage: %s file-or-folder...)\n", Argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&Argc, &Argv);
    std::vector<uint8_t> bytes;
    for (const fs::path& path : inputs) {
        if (!ReadAll(path, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
            return 2;
        }
        // The input's name first: a sanitizer report that follows names what broke.
        std::fprintf(stderr, "replay: %s\n", path.c_str());
        // A block of exactly the input's size (never null, as libFuzzer gives), so that
        // reading past its end is reported.
        const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        LLVMFuzzerTestOneInput(exact.get(), bytes.size());
    }
    std::fprintf(stderr, "replay: %zu inputs ran clean\n", inputs.size());
    return 0;
}
