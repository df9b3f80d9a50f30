// Runs a fuzz target's entry over saved inputs without libFuzzer, so the normal build
// replays every corpus and crash file: replay_<target> DIR_OR_FILE...
// Missing folders are skipped (a target may have no crashes); no input at all is a failure.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsUnder(const std::filesystem::path& where) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(where, ec)) return {where};
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(where, ec)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(where, ec))
        if (entry.is_regular_file(ec) && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& file : InputsUnder(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) {
                std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
                return 1;
            }
            std::fprintf(stderr, "%s\n", file.string().c_str());
            // A copy of exactly the file's size, so reading past it is caught by the sanitizers.
            std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
            LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
