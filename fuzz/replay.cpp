// Runs the fuzz target over kept inputs without libFuzzer, so that the standard build compiles the
// target and tests the number reader with its corpus: each argument is a file or a folder of them.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files{argv[i]};
        if (std::filesystem::is_directory(files[0]))
            files.assign(std::filesystem::directory_iterator(argv[i]), {});
        for (const auto& file : files) {
            if (!std::filesystem::is_regular_file(file))
                continue;
            std::vector<char> bytes(std::filesystem::file_size(file));
            std::ifstream in(file, std::ios::binary);
            if (!in.read(bytes.data(), std::streamsize(bytes.size()))) {
                std::fprintf(stderr, "cannot read %s\n", file.c_str());
                return 1;
            }
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
