#pragma once
// Keyword lines of the import file. A line is a keyword only when it equals it exactly: same
// length, same characters, same case.

#include <string_view>

namespace corvane::keyword {

inline constexpr std::string_view FreeTrack = "FT";
inline constexpr std::string_view FreeVia = "FV";
inline constexpr std::string_view FreePad = "FP";
inline constexpr std::string_view FreeArc = "FA";
inline constexpr std::string_view FreeFill = "FF";
inline constexpr std::string_view FreeString = "FS";
inline constexpr std::string_view ComponentTrack = "CT";
inline constexpr std::string_view ComponentVia = "CV";
inline constexpr std::string_view ComponentPad = "CP";
inline constexpr std::string_view ComponentArc = "CA";
inline constexpr std::string_view ComponentFill = "CF";
inline constexpr std::string_view ComponentString = "CS";
inline constexpr std::string_view Component = "COMP";
inline constexpr std::string_view EndComponent = "ENDCOMP";
inline constexpr std::string_view NetDefinition = "NETDEF";
inline constexpr std::string_view Pg = "PG";
inline constexpr std::string_view EndOfBoard = "ENDPCB";
inline constexpr std::string_view NodeListOpen = "(";
inline constexpr std::string_view NodeListClose = ")";
inline constexpr std::string_view BlockOpen = "{";
inline constexpr std::string_view BlockClose = "}";

inline constexpr std::string_view Version4Marker = "PCB FILE 4";
inline constexpr std::string_view Version5Marker = "PCB FILE 5";

} // namespace corvane::keyword
