#include "XmlCheck.h"

#include <cctype>

namespace clitest {
namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    XmlDocument Parse() {
        XmlDocument document;
        SkipProlog();
        if (!ParseElement(document.Root)) {
            document.Error = error_ + " at offset " + std::to_string(pos_);
            return document;
        }
        SkipMisc();
        if (pos_ != text_.size()) {
            document.Error = "content after the root element at offset " + std::to_string(pos_);
            return document;
        }
        document.WellFormed = true;
        return document;
    }

private:
    bool Fail(const std::string& why) {
        error_ = why;
        return false;
    }

    bool StartsWith(const char* s) const {
        return text_.compare(pos_, std::char_traits<char>::length(s), s) == 0;
    }

    void SkipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
    }

    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (StartsWith("<!--")) {
                const auto end = text_.find("-->", pos_);
                pos_ = end == std::string::npos ? text_.size() : end + 3;
            } else {
                return;
            }
        }
    }

    void SkipProlog() {
        if (StartsWith("<?xml")) {
            const auto end = text_.find("?>", pos_);
            pos_ = end == std::string::npos ? text_.size() : end + 2;
        }
        SkipMisc();
    }

    bool ParseName(std::string& name) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '-' ||
                text_[pos_] == '_' || text_[pos_] == ':' || text_[pos_] == '.')) {
            ++pos_;
        }
        name = text_.substr(start, pos_ - start);
        return !name.empty() || Fail("a name expected");
    }

    bool Unescape(const std::string& raw, std::string& out) {
        out.clear();
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '<') {
                return Fail("'<' in character data");
            }
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const auto end = raw.find(';', i);
            if (end == std::string::npos) {
                return Fail("unterminated entity");
            }
            const std::string entity = raw.substr(i + 1, end - i - 1);
            if (entity == "amp") {
                out += '&';
            } else if (entity == "lt") {
                out += '<';
            } else if (entity == "gt") {
                out += '>';
            } else if (entity == "quot") {
                out += '"';
            } else if (entity == "apos") {
                out += '\'';
            } else {
                return Fail("unknown entity &" + entity + ";");
            }
            i = end;
        }
        return true;
    }

    bool ParseAttributes(XmlElement& element) {
        for (;;) {
            SkipSpace();
            if (pos_ >= text_.size()) {
                return Fail("document ends inside a tag");
            }
            if (text_[pos_] == '>' || StartsWith("/>")) {
                return true;
            }
            std::string name;
            if (!ParseName(name)) {
                return false;
            }
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '=') {
                return Fail("'=' expected after attribute " + name);
            }
            ++pos_;
            SkipSpace();
            if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
                return Fail("quoted value expected for attribute " + name);
            }
            const char quote = text_[pos_++];
            const auto end = text_.find(quote, pos_);
            if (end == std::string::npos) {
                return Fail("unterminated attribute value");
            }
            std::string value;
            if (!Unescape(text_.substr(pos_, end - pos_), value)) {
                return false;
            }
            if (!element.Attributes.emplace(name, value).second) {
                return Fail("attribute " + name + " given twice");
            }
            pos_ = end + 1;
        }
    }

    bool ParseElement(XmlElement& element) {
        if (pos_ >= text_.size() || text_[pos_] != '<') {
            return Fail("'<' expected");
        }
        ++pos_;
        if (!ParseName(element.Name) || !ParseAttributes(element)) {
            return false;
        }
        if (StartsWith("/>")) {
            pos_ += 2;
            return true;
        }
        ++pos_; // '>'
        for (;;) {
            const auto next = text_.find('<', pos_);
            if (next == std::string::npos) {
                return Fail("element <" + element.Name + "> is not closed");
            }
            std::string data;
            if (!Unescape(text_.substr(pos_, next - pos_), data)) {
                return false;
            }
            element.Text += data;
            pos_ = next;
            if (StartsWith("</")) {
                pos_ += 2;
                std::string name;
                if (!ParseName(name)) {
                    return false;
                }
                if (name != element.Name) {
                    return Fail("</" + name + "> closes <" + element.Name + ">");
                }
                SkipSpace();
                if (pos_ >= text_.size() || text_[pos_] != '>') {
                    return Fail("'>' expected");
                }
                ++pos_;
                return true;
            }
            if (StartsWith("<!--")) {
                SkipMisc();
                continue;
            }
            element.Children.emplace_back();
            if (!ParseElement(element.Children.back())) {
                return false;
            }
        }
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    std::string error_;
};

void Collect(const XmlElement& element, std::vector<const XmlElement*>& into) {
    into.push_back(&element);
    for (const XmlElement& child : element.Children) {
        Collect(child, into);
    }
}

} // namespace

XmlDocument ParseXml(const std::string& text) {
    return Parser(text).Parse();
}

std::vector<const XmlElement*> AllElements(const XmlElement& root) {
    std::vector<const XmlElement*> elements;
    Collect(root, elements);
    return elements;
}

std::size_t CountClass(const XmlElement& root, const std::string& cls) {
    std::size_t count = 0;
    for (const XmlElement* element : AllElements(root)) {
        const auto found = element->Attributes.find("class");
        count += found != element->Attributes.end() && found->second == cls ? 1 : 0;
    }
    return count;
}

} // namespace clitest
