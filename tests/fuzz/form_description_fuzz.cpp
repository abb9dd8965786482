// Fuzz target of the stored form descriptions. Any text either builds the form or fails its creation
// with the description error, and either way every component made is freed; and a description
// written from components and property values that the input chooses builds a form that holds them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"
#include "ui/form.h"
#include "ui/reader.h"
#include "ui/std_controls.h"

namespace {

using namespace plz::ui;

// Counts the forms and components alive, so that a failed read is seen to free what it made.
int g_alive = 0;

class TFuzzForm : public TForm {
public:
    TFuzzForm() { ++g_alive; }
    ~TFuzzForm() override { --g_alive; }
    std::string ClassName() const override { return "TFuzzForm"; }
};

class TFuzzLabel : public TLabel {
public:
    TFuzzLabel() { ++g_alive; }
    ~TFuzzLabel() override { --g_alive; }
    std::string ClassName() const override { return "TFuzzLabel"; }
};

// A number from -32768 to 32767.
int32_t Number(plz::fuzz::Input& in) { return int32_t(uint32_t(in.Next()) << 8 | in.Next()) - 32768; }
// A caption with characters that JSON has to escape.
std::string Text(plz::fuzz::Input& in) { return in.Word("aZ0 \"\\/\t\n\x01\x7f", 9); }

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (uint8_t(c) < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[uint8_t(c) >> 4];
            out += kHex[uint8_t(c) & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        RegisterComponentClass<TFuzzLabel>();
        return true;
    }();
    (void)registered;

    // Any text: the form, or the description error; nothing made stays alive.
    RegisterFormDescription("TFuzzForm", std::string(reinterpret_cast<const char*>(data), size));
    try {
        delete CreateForm<TFuzzForm>(nullptr);
    } catch (const EFormDescriptionError&) {
    }
    PLZ_FUZZ_CHECK(g_alive == 0);

    // A description written from the input's choices reads into a form that holds them.
    plz::fuzz::Input in{data, size};
    struct Label {
        std::string caption;
        int32_t left, top;
    };
    std::vector<Label> labels;
    const std::string caption = Text(in);
    const int32_t width = Number(in);
    std::string text = "{\"class\": \"TFuzzForm\", \"properties\": {\"Caption\": " + Json(caption) +
                       ", \"Width\": " + std::to_string(width) + "}, \"components\": [";
    while (!in.Done() && labels.size() < 8) {
        labels.push_back({Text(in), Number(in), Number(in)});
        const Label& l = labels.back();
        text += std::string(labels.size() > 1 ? ", " : "") + "{\"class\": \"TFuzzLabel\", \"name\": \"L" +
                std::to_string(labels.size()) + "\", \"properties\": {\"Caption\": " + Json(l.caption) +
                ", \"Left\": " + std::to_string(l.left) + ", \"Top\": " + std::to_string(l.top) + "}}";
    }
    text += "]}";
    RegisterFormDescription("TFuzzForm", text);
    {
        std::unique_ptr<TFuzzForm> form(CreateForm<TFuzzForm>(nullptr));
        PLZ_FUZZ_CHECK(form->Caption() == caption);
        PLZ_FUZZ_CHECK(form->Width() == width);
        PLZ_FUZZ_CHECK(form->Components().size() == labels.size());
        for (size_t i = 0; i < labels.size(); ++i) {
            const auto* label = dynamic_cast<const TFuzzLabel*>(form->FindComponent("L" + std::to_string(i + 1)));
            PLZ_FUZZ_CHECK(label && label->Caption() == labels[i].caption);
            PLZ_FUZZ_CHECK(label->Left() == labels[i].left && label->Top() == labels[i].top);
        }
    }
    PLZ_FUZZ_CHECK(g_alive == 0);
    return 0;
}
