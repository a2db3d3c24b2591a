#pragma once
// The file each input is written to before the plug-in imports it: one per fuzzing process
// (parallel jobs each have their own), rewritten for every input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace corvanefuzz {

// A folder in memory when there is one: rewriting a file on disk for every input costs more than
// the import itself.
inline std::filesystem::path InputFolder() {
    std::error_code error;
    const std::filesystem::path memory = "/dev/shm";
    return std::filesystem::is_directory(memory, error) ? memory
                                                        : std::filesystem::temp_directory_path();
}

inline const std::string& InputPath() {
    static const std::string path =
        (InputFolder() / ("corvane-fuzz-" + std::to_string(static_cast<long>(getpid())) + ".PCB"))
            .string();
    return path;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

inline void WriteInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(InputPath().c_str(), "wb"));
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file.get()) != size)) {
        std::fprintf(stderr, "cannot write %s\n", InputPath().c_str());
        std::abort();
    }
}

inline void RemoveInput() {
    std::error_code ignored;
    std::filesystem::remove(InputPath(), ignored);
}

// The input file goes when the fuzzing process ends.
inline void RemoveInputAtExit() {
    // The path first, so that it is still there when the exit handler below runs.
    (void)InputPath();
    std::atexit(RemoveInput);
}

} // namespace corvanefuzz
