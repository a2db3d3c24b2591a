#include "corvane-import/InputDiagnosis.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace corvane::cli {
namespace {

constexpr std::size_t FirstLineLimit = 255;
constexpr char CtrlZ = 0x1A;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// The first line: up to LF, CR or Ctrl-Z, at most 255 characters; loneCr tells whether a CR
// without LF ended it. False when a read error happened before the line was complete.
bool ReadFirstLine(std::FILE* file, std::string& line, bool& loneCr, int& error) {
    line.clear();
    loneCr = false;
    errno = 0;
    for (;;) {
        const int c = std::fgetc(file);
        if (c == EOF) {
            error = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
            return error == 0;
        }
        if (c == '\n' || c == CtrlZ) {
            return true;
        }
        if (c == '\r') {
            const int next = std::fgetc(file);
            loneCr = next != '\n';
            error = next == EOF && std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
            return error == 0;
        }
        if (line.size() < FirstLineLimit) {
            line.push_back(static_cast<char>(c));
        }
    }
}

std::string UpperCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool HoldsMarker(const std::string& firstLine) {
    const std::string upper = UpperCaseAscii(firstLine);
    return upper.find("PCB FILE 4") != std::string::npos ||
           upper.find("PCB FILE 5") != std::string::npos;
}

// A printable excerpt of a line for a message.
std::string Excerpt(const std::string& line) {
    constexpr std::size_t shown = 40;
    std::string text;
    for (const char c : line.substr(0, shown)) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 32 && byte < 127 ? c : '?');
    }
    return line.size() > shown ? text + "..." : text;
}

} // namespace

InputDiagnosis DiagnoseInput(const std::string& path) {
    namespace fs = std::filesystem;
    InputDiagnosis diagnosis;
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(path), error);
    if (!fs::exists(status)) {
        diagnosis.Problem = InputProblem::Missing;
        return diagnosis;
    }
    if (!fs::is_regular_file(status)) {
        diagnosis.Problem = InputProblem::NotAFile;
        return diagnosis;
    }
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        diagnosis.Problem = InputProblem::Unreadable;
        diagnosis.Reason = ErrnoText(errno);
        return diagnosis;
    }
    int readError = 0;
    if (!ReadFirstLine(file.get(), diagnosis.FirstLine, diagnosis.CarriageReturnLineEnds,
                       readError)) {
        diagnosis.Problem = InputProblem::Unreadable;
        diagnosis.Reason = ErrnoText(readError);
        return diagnosis;
    }
    if (!HoldsMarker(diagnosis.FirstLine)) {
        diagnosis.Problem = InputProblem::NotCorvane;
        return diagnosis;
    }
    // The importer's own test: case-sensitive, at the very start of the line.
    diagnosis.Version = diagnosis.FirstLine.rfind("PCB FILE 5", 0) == 0 ? 5 : 4;
    return diagnosis;
}

std::string DescribeProblem(const std::string& path, const InputDiagnosis& diagnosis) {
    switch (diagnosis.Problem) {
    case InputProblem::None:
        return {};
    case InputProblem::Missing:
        return path + ": no such file";
    case InputProblem::NotAFile:
        return path + ": not a regular file (a directory or a device)";
    case InputProblem::Unreadable:
        return path + ": cannot be read: " + diagnosis.Reason;
    case InputProblem::NotCorvane:
        if (diagnosis.FirstLine.empty()) {
            return path + ": not a Corvane board: the first line is empty, it lacks \"PCB FILE "
                          "4\" or \"PCB FILE 5\"";
        }
        return path + ": not a Corvane board: the first line (\"" + Excerpt(diagnosis.FirstLine) +
               "\") lacks \"PCB FILE 4\" or \"PCB FILE 5\"";
    }
    return {};
}

} // namespace corvane::cli
