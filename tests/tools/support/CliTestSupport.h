#pragma once
// Where the program and the test boards are, for the tests that run corvane-import.

#include "TestFiles.h"

#include <string>

namespace clitest {

inline std::string Program() {
    return CORVANE_IMPORT_PROGRAM;
}
inline std::string DataFile(const std::string& name) {
    return std::string(CLI_TEST_DATA_DIR) + "/" + name;
}
inline std::string ExpectedFile(const std::string& name) {
    return std::string(CLI_TEST_EXPECTED_DIR) + "/" + name;
}
inline std::string DemoBoard() {
    return std::string(CLI_EXAMPLES_DIR) + "/demo.PCB";
}
inline std::string CorpusFile(const std::string& name) {
    return std::string(CLI_CORPUS_DIR) + "/" + name;
}

} // namespace clitest
