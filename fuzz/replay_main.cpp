// Runs a fuzz target once over every file of the folders (or files) given, as
// a normal test does: the seed corpus and every input that once made the
// target crash. Built with the normal compiler, so these inputs are replayed in
// every build, with or without sanitizers and libFuzzer.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A count in decimal digits, the same under every locale.
std::string decimal(std::size_t n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    return std::string(digits, end);
}

int replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::printf("%s (%s bytes)\n", file.c_str(), decimal(bytes.size()).c_str());
    std::fflush(stdout);
    // An empty vector's data() may be null; a target is entitled to a pointer.
    static const std::uint8_t empty = 0;
    LLVMFuzzerTestOneInput(
        bytes.empty() ? &empty : reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                    inputs += replay(entry.path());
            }
        } else if (std::filesystem::exists(path)) {
            inputs += replay(path);
        }
    }
    std::printf("%s inputs replayed\n", decimal(std::size_t(inputs)).c_str());
    return inputs > 0 ? 0 : 1;
}
