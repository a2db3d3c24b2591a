#include "textformat/WrappedWords.h"

namespace corvane::cli {

std::string WrappedWords(const std::string& text, std::size_t width) {
    std::string lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && line.size() + word.size() > width) {
            lines += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
            line.clear();
        }
        line += word;
        start = end;
    }
    return lines + line;
}

} // namespace corvane::cli
