#include "GeneratedCases.h"

#include <fstream>
#include <functional>
#include <string>

namespace malformedtest {
namespace {

using Writer = std::function<void(std::ostream&)>;

struct GeneratedCase {
    std::string Name;
    Writer Write;
};

constexpr std::size_t OneMegabyte = 1024 * 1024;
const std::string Header = "PCB FILE 4\n";

// ---- Records cut short ----------------------------------------------------------------------

struct FullRecord {
    std::string Keyword;
    std::string Before; // what the file holds before the record
    std::vector<std::string> Lines;
};

const std::string ComponentU1 = "COMP\nU1\nDIP8\nTimer\n10 20 60 0 0 7\n30 40 50 1 0 7\n"
                                "1000 2000 1 1\nCP\n0 0 60 60 1 30 2 13\n1\nENDCOMP\n";

std::vector<FullRecord> FullRecords() {
    return {
        {"FT", Header, {"FT", "100 200 300 400 10 1"}},
        {"FV", Header, {"FV", "0 0 50 28"}},
        {"FP", Header, {"FP", "0 0 60 80 1 30 2 1", "A1"}},
        {"FA", Header, {"FA", "0 0 100 9 10 1"}},
        {"FF", Header, {"FF", "0 0 100 100 1"}},
        {"FS", Header, {"FS", "100 200 60 0 0 7", "Hello"}},
        {"COMP",
         Header,
         {"COMP", "U1", "DIP8", "Timer", "10 20 60 0 0 7", "30 40 50 1 0 7", "1000 2000 1 1", "CP",
          "0 0 60 60 1 30 2 13", "1", "CT", "0 0 100 0 10 7", "ENDCOMP"}},
        {"NETDEF", Header + ComponentU1, {"NETDEF", "GND", "(", "U1-1", ")", "{", "hint", "}"}},
    };
}

// For every line n of a record: the file cut in the middle of line n ("lineN-half", for lines of
// two characters or more) and right after the line end of line n ("lineN-end", but for the last
// line, whose end completes the record).
void AddCutCases(std::vector<GeneratedCase>& cases) {
    for (const FullRecord& record : FullRecords()) {
        std::string text = record.Before;
        for (std::size_t n = 0; n < record.Lines.size(); ++n) {
            const std::string& line = record.Lines[n];
            const std::string stem = "cut-" + record.Keyword + "-line" + std::to_string(n + 1);
            if (line.size() >= 2) {
                const std::string cut = text + line.substr(0, line.size() / 2);
                cases.push_back({stem + "-half", [cut](std::ostream& out) { out << cut; }});
            }
            text += line + "\n";
            if (n + 1 < record.Lines.size()) {
                cases.push_back({stem + "-end", [text](std::ostream& out) { out << text; }});
            }
        }
    }
}

// ---- Large inputs ---------------------------------------------------------------------------

void WriteRepeated(std::ostream& out, char c, std::size_t count) {
    const std::string block(64 * 1024, c);
    while (count > 0) {
        const std::size_t n = std::min(count, block.size());
        out.write(block.data(), static_cast<std::streamsize>(n));
        count -= n;
    }
}

std::string Digits(std::size_t count) {
    std::string digits;
    digits.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        digits += static_cast<char>('1' + i % 9);
    }
    return digits;
}

// A track and a via around whatever the middle writes: both must land whatever it does.
Writer Between(Writer middle) {
    return [middle](std::ostream& out) {
        out << Header << "FT\n100 200 300 400 10 1\n";
        middle(out);
        out << "FV\n0 0 50 28\n";
    };
}

void WriteTenThousandDigitNumbers(std::ostream& out) {
    const std::string digits = Digits(10'000);
    out << Header << "FT\n-" << digits << " +" << digits << " " << digits << " " << digits << " "
        << digits << " " << digits << "\n";
    out << "FS\n" << digits << " 0 " << digits << " " << digits << "." << digits << " 0 7\ntext\n";
    out << "FP\n0 0 60 60 1 30 " << digits << " " << std::string(10'000, '0') << "13\nA1\n";
    out << "FV\n0 0 50 28\n";
}

// A component with pads 1 and 2, then a net whose node list names them and, in between, nodes
// that name no pad, each a different one.
void WriteHundredThousandNodes(std::ostream& out) {
    out << Header
        << "COMP\nU1\nDIP8\nTimer\n10 20 60 0 0 7\n30 40 50 1 0 7\n1000 2000 1 1\n"
           "CP\n0 0 60 60 1 30 2 13\n1\nCP\n100 0 60 60 1 30 2 13\n2\nENDCOMP\n";
    out << "NETDEF\nBIG\n(\n";
    for (int node = 0; node < 100'000; ++node) {
        switch (node % 3) {
        case 0:
            out << "U1-1\n";
            break;
        case 1:
            out << "U1-2\n";
            break;
        default:
            out << "X" << node << "-1\n";
            break;
        }
    }
    out << ")\nFT\n1 2 3 4 5 1\n";
}

// Records of every kind, over and over: per unit one free record of each primitive kind, a
// component with a pad and a track, and a net with an empty node list and a block of 200 lines of
// 80 bytes; at the end one net that joins the first and the last component's pad. 3300 units make
// 53.7 million bytes (51.2 MiB).
constexpr int FiftyMegabyteUnits = 3300;

void WriteFiftyMegabytesOfRecords(std::ostream& out) {
    const std::string blockLine = "routing hint " + std::string(66, 'h') + "\n";
    out << Header;
    for (int unit = 0; unit < FiftyMegabyteUnits; ++unit) {
        out << "FT\n"
            << unit % 1000 << " 200 300 400 10 1\nFV\n0 0 50 28\n"
            << "FP\n0 0 60 80 1 30 2 1\nA1\nFA\n0 0 100 9 10 1\nFF\n0 0 100 100 1\n"
            << "FS\n100 200 60 0 0 7\nlabel " << unit << "\n";
        out << "COMP\nU" << unit << "\nDIP8\nTimer\n10 20 60 0 0 7\n30 40 50 1 0 7\n"
            << "1000 2000 1 1\nCP\n0 0 60 60 1 30 2 13\n1\nCT\n0 0 100 0 10 7\nENDCOMP\n";
        out << "NETDEF\nN" << unit << "\n(\n)\n{\n";
        for (int line = 0; line < 200; ++line) {
            out << blockLine;
        }
        out << "}\n";
    }
    out << "NETDEF\nGND\n(\nU0-1\nU" << FiftyMegabyteUnits - 1 << "-1\n)\n";
}

std::vector<GeneratedCase> AllCases() {
    std::vector<GeneratedCase> cases = {
        {"one-megabyte-line", Between([](std::ostream& out) {
             WriteRepeated(out, 'x', OneMegabyte);
             out << "\n";
         })},
        {"one-megabyte-line-of-blanks", Between([](std::ostream& out) {
             WriteRepeated(out, ' ', OneMegabyte);
             out << "\n";
         })},
        {"one-megabyte-first-line",
         [](std::ostream& out) {
             out << "PCB FILE 4";
             WriteRepeated(out, 'x', OneMegabyte);
             out << "\nFT\n1 2 3 4 5 1\n";
         }},
        {"one-megabyte-pad-name", Between([](std::ostream& out) {
             out << "FP\n0 0 60 80 1 30 2 1\n";
             WriteRepeated(out, 'n', OneMegabyte);
             out << "\n";
         })},
        {"one-megabyte-number", Between([](std::ostream& out) {
             out << "FA\n";
             WriteRepeated(out, '7', OneMegabyte);
             out << "\n";
         })},
        {"one-megabyte-line-without-end",
         [](std::ostream& out) {
             out << Header << "FT\n1 2 3 4 5 1\n";
             WriteRepeated(out, 'x', OneMegabyte);
         }},
        {"ten-thousand-digit-numbers", WriteTenThousandDigitNumbers},
        {"hundred-thousand-node-netdef", WriteHundredThousandNodes},
        {"fifty-megabytes-of-records", WriteFiftyMegabytesOfRecords},
    };
    AddCutCases(cases);
    return cases;
}

} // namespace

std::vector<std::string> GeneratedCaseNames() {
    std::vector<std::string> names;
    for (const GeneratedCase& generated : AllCases()) {
        names.push_back(generated.Name);
    }
    return names;
}

bool WriteGeneratedCase(std::string_view name, const std::filesystem::path& file) {
    for (const GeneratedCase& generated : AllCases()) {
        if (generated.Name == name) {
            std::ofstream out(file, std::ios::binary);
            generated.Write(out);
            out.flush();
            return static_cast<bool>(out);
        }
    }
    return false;
}

} // namespace malformedtest
