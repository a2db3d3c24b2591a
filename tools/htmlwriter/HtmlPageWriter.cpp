#include "htmlwriter/HtmlPageWriter.h"

#include "htmlwriter/PageSources.h"
#include "textformat/JsonText.h"
#include "textformat/TextEncoding.h"
#include "textformat/Units.h"

#include <string_view>

namespace corvane::cli {
namespace {

// The places in the template where the writer puts its parts.
constexpr std::string_view TitleMark = "{{title}}";
constexpr std::string_view StylesMark = "{{styles}}";
constexpr std::string_view BoardMark = "{{board}}";
constexpr std::string_view FactsMark = "{{facts}}";
constexpr std::string_view ScriptMark = "{{script}}";

template <std::size_t N> std::string Joined(const std::string_view (&pieces)[N]) {
    std::string text;
    for (const std::string_view piece : pieces) {
        text += piece;
    }
    return text;
}

// The template's text from one mark (or its start) to the next (or its end), without the marks.
std::string_view Between(std::string_view text, std::string_view from, std::string_view to) {
    const std::size_t start = from.empty() ? 0 : text.find(from) + from.size();
    const std::size_t end = to.empty() ? text.size() : text.find(to, start);
    return text.substr(start, end - start);
}

// Text for HTML: the markup characters escaped.
std::string HtmlText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void AppendScriptSafe(std::string& out, std::string_view json) {
    std::size_t from = 0;
    for (std::size_t at = json.find('<'); at != std::string_view::npos; at = json.find('<', from)) {
        out.append(json.substr(from, at - from));
        out += "\\u003c";
        from = at + 1;
    }
    out.append(json.substr(from));
}

const std::string& Template() {
    static const std::string text = Joined(page::PageTemplate);
    return text;
}

} // namespace

std::string ScriptSafeJson(std::string_view json) {
    std::string out;
    AppendScriptSafe(out, json);
    return out;
}

// The board's JSON on its way into the page: escaped for the script element, and written on as
// it comes. A failure to put bytes aside (the JSON writer's scratch files) fails the page.
class HtmlPageWriter::ScriptDataStream final : public OutputStream {
public:
    explicit ScriptDataStream(OutputStream& page)
        : OutputStream(page.ScratchFolder()), page_(page) {}

    // Everything written so far handed on to the page.
    void Close() {
        Flush();
        if (Failed()) {
            page_.Fail(Error());
        }
    }

private:
    bool Deliver(std::string_view bytes, std::string&) override {
        escaped_.clear();
        AppendScriptSafe(escaped_, bytes);
        page_.Write(escaped_);
        return true;
    }

    OutputStream& page_;
    std::string escaped_;
};

HtmlPageWriter::HtmlPageWriter(OutputStream& out, const std::string& fileName,
                               HtmlPageSettings settings, PageImportFacts facts)
    : out_(out), settings_(std::move(settings)), facts_(std::move(facts)),
      data_(std::make_unique<ScriptDataStream>(out)) {
    const std::string& page = Template();
    std::string head(Between(page, {}, TitleMark));
    head += HtmlText(FileNameAsUtf8(fileName));
    head += Between(page, TitleMark, StylesMark);
    for (const std::string_view piece : page::PageStyles) {
        head += piece;
    }
    head += Between(page, StylesMark, BoardMark);
    out_.Write(head);
}

HtmlPageWriter::~HtmlPageWriter() = default;

OutputStream& HtmlPageWriter::DataStream() {
    return *data_;
}

void HtmlPageWriter::SetCopperNets(std::function<const PageCopperNets*()> copperNets) {
    copperNets_ = std::move(copperNets);
}

void HtmlPageWriter::SetFitBox(std::function<std::optional<PageBox>()> fitBox) {
    fitBox_ = std::move(fitBox);
}

void HtmlPageWriter::Use(const std::string& layer) {
    // Objects of one layer mostly come together.
    if (lastLayer_ != nullptr && *lastLayer_ == layer) {
        return;
    }
    lastLayer_ = &*layers_.insert(layer).first;
}

void HtmlPageWriter::OnComponentBegin(const Component& component) {
    for (const auto& text : {component.DesignatorText, component.CommentText}) {
        if (text) {
            Use(text->Layer);
        }
    }
}

std::string HtmlPageWriter::FactsJson() const {
    std::string out = "{\"import\": ";
    json::CompactObject(out)
        .Field("outcome", facts_.Outcome)
        .Field("losses", facts_.Losses)
        .Raw("report", facts_.ReportJson.empty() ? std::string_view("null") : facts_.ReportJson)
        .End();
    out += ",\n\"look\": ";
    json::CompactObject(out)
        .Field("background", settings_.BackgroundColour)
        .Field("via", settings_.ViaColour)
        .End();
    out += ",\n\"layers\": [";
    bool first = true;
    for (const std::string& layer : layers_) {
        const PageLayerLook look =
            settings_.LayerLook ? settings_.LayerLook(layer) : PageLayerLook{"#909090", 0};
        out += first ? "\n" : ",\n";
        first = false;
        json::CompactObject(out)
            .Field("name", layer)
            .Field("colour", look.Colour)
            .Field("order", look.Order)
            .End();
    }
    out += "\n],\n\"copper\": ";
    const PageCopperNets* copper = copperNets_ ? copperNets_() : nullptr;
    if (copper == nullptr) {
        out += "null";
    } else {
        out += "{\"nets\": [";
        for (std::size_t i = 0; i < copper->Nets.size(); ++i) {
            out += i == 0 ? "\n" : ",\n";
            json::CompactObject(out)
                .Field("name", copper->Nets[i].Name)
                .Field("derived", copper->Nets[i].Derived)
                .End();
        }
        out += "],\n\"ids\": [";
        for (std::size_t i = 0; i < copper->Ids.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            out += std::to_string(copper->Ids[i]);
        }
        out += "]}";
    }
    out += ",\n\"fit\": ";
    const std::optional<PageBox> fit = fitBox_ ? fitBox_() : std::nullopt;
    if (fit) {
        out += '[';
        units::AppendDecimal(out, fit->MinX);
        for (const double v : {fit->MinY, fit->MaxX, fit->MaxY}) {
            out += ", ";
            units::AppendDecimal(out, v);
        }
        out += ']';
    } else {
        out += "null";
    }
    out += "\n}\n";
    return out;
}

void HtmlPageWriter::OnBoardEnd() {
    data_->Close();
    const std::string& page = Template();
    std::string tail(Between(page, BoardMark, FactsMark));
    AppendScriptSafe(tail, FactsJson());
    tail += Between(page, FactsMark, ScriptMark);
    out_.Write(tail);
    for (const std::string_view piece : page::PageScript) {
        out_.Write(piece);
    }
    out_.Write(Between(page, ScriptMark, {}));
}

} // namespace corvane::cli
