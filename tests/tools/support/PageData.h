#pragma once
// The data a board page (--html) carries: the text of one of its script elements of JSON, with
// the page's escapes of '<' read back.

#include <string>

namespace clitest {

/// The text of the page's <script type="application/json" id="ID"> element, "<missing>" when the
/// page has none.
inline std::string PageScriptData(const std::string& page, const std::string& id) {
    const std::string open = "<script type=\"application/json\" id=\"" + id + "\">";
    const auto start = page.find(open);
    if (start == std::string::npos) {
        return "<missing>";
    }
    const auto from = start + open.size();
    std::string text = page.substr(from, page.find("</script>", from) - from);
    for (auto at = text.find("\\u003c"); at != std::string::npos; at = text.find("\\u003c", at)) {
        text.replace(at, 6, "<");
    }
    return text;
}

} // namespace clitest
