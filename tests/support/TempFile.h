#pragma once
// A file with given contents in the system's temporary folder, removed when the object goes.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace testsupport {

class TempFile {
public:
    explicit TempFile(const std::string& contents, const std::string& suffix = ".PCB") {
        static std::mt19937_64 random{std::random_device{}()};
        path_ = std::filesystem::temp_directory_path() /
                ("corvane-test-" + std::to_string(random()) + suffix);
        std::ofstream out(path_, std::ios::binary);
        out << contents;
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

} // namespace testsupport
