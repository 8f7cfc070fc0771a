// Runs a fuzz target without libFuzzer: every file of the folders given on the command line is
// fed to LLVMFuzzerTestOneInput once, in name order, so that the suite replays the seed and
// regression corpora with any compiler and under the sanitizer build. Names starting with "."
// are skipped (".gitkeep" holds an empty folder in git). A crash, a sanitizer report or an
// abort of the target fails the run; a folder that does not exist fails it as well.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& folder)
{
    std::vector<fs::path> inputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

// The input in a buffer of exactly its size, so that the sanitizers see a read past its end.
bool Replay(const fs::path& input)
{
    std::ifstream in(input, std::ios::binary);
    const size_t size = size_t(fs::file_size(input));
    std::unique_ptr<uint8_t[]> data(new uint8_t[std::max<size_t>(size, 1)]);
    if (!in.read(reinterpret_cast<char*>(data.get()), std::streamsize(size)))
        return false;
    std::fprintf(stderr, "replaying %s\n", input.c_str());
    LLVMFuzzerTestOneInput(data.get(), size);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER...\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path folder = argv[i];
        if (!fs::is_directory(folder)) {
            std::fprintf(stderr, "%s: no such folder\n", argv[i]);
            return 1;
        }
        for (const fs::path& input : InputsIn(folder)) {
            if (!Replay(input)) {
                std::fprintf(stderr, "%s: cannot read\n", input.c_str());
                return 1;
            }
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
