// Fonts and colours: the published font properties, the platform font description, colour text.
#include "ui/font.h"

#include <cstring>
#include <cstdio>
#include <cstdlib>

#include "platform/os.h"
#include "ui/component.h"
#include "ui/hooks.h"

namespace plz::ui {

namespace {
uint8_t g_defaultCharset = 1;
}
uint8_t DefaultFontCharset() { return g_defaultCharset; }
void SetDefaultFontCharset(uint8_t charset) { g_defaultCharset = charset; }

const PropertyTable& TFont::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TFont, PropertyKind::Integer, &TFont::Charset, &TFont::SetCharset>("Charset"),
        Prop<TFont, PropertyKind::Color, &TFont::Color, &TFont::SetColor>("Color"),
        Prop<TFont, PropertyKind::String, &TFont::Name, &TFont::SetName>("Name"),
        Prop<TFont, PropertyKind::Integer, &TFont::Size, &TFont::SetSize>("Size"),
        Prop<TFont, PropertyKind::Set, &TFont::StyleNames, &TFont::SetStyleNames>("Style"),
    };
    static const PropertyTable table(&TPersistent::Properties(), own);
    return table;
}

void TFont::Changed() {
    if (onChange) onChange();
}
void TFont::SetName(const std::string& name) { name_ = name.substr(0, 31), Changed(); }
void TFont::SetSize(int32_t points) { size_ = points, Changed(); }
void TFont::SetStyle(uint8_t style) { style_ = style, Changed(); }
void TFont::SetColor(int64_t color) { color_ = color, Changed(); }
void TFont::SetCharset(uint8_t charset) { charset_ = charset, Changed(); }

namespace {
constexpr struct {
    uint8_t bit;
    const char* name;
} kStyles[] = {{kBold, "fsBold"}, {kItalic, "fsItalic"}, {kUnderline, "fsUnderline"}, {kStrikeOut, "fsStrikeOut"}};
}  // namespace

std::vector<std::string> TFont::StyleNames() const {
    std::vector<std::string> out;
    for (const auto& s : kStyles)
        if (style_ & s.bit) out.push_back(s.name);
    return out;
}

void TFont::SetStyleNames(const std::vector<std::string>& names) {
    uint8_t style = 0;
    for (const std::string& n : names)
        for (const auto& s : kStyles)
            if (SameText(n, s.name)) style |= s.bit;
    SetStyle(style);
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_, size_ = other.size_, style_ = other.style_, color_ = other.color_;
    charset_ = other.charset_;
    Changed();
}

bool TFont::operator==(const TFont& o) const {
    return name_ == o.name_ && size_ == o.size_ && style_ == o.style_ && color_ == o.color_ && charset_ == o.charset_;
}

LogFontA TFont::ToLogFont() const {
    LogFontA f{};
    const int32_t ppi = os::calls().ScreenPixelsPerInch();
    f.Height = -((size_ * ppi + 36) / 72);
    f.Weight = style_ & kBold ? 700 : 400;
    f.Italic = style_ & kItalic ? 1 : 0;
    f.Underline = style_ & kUnderline ? 1 : 0;
    f.StrikeOut = style_ & kStrikeOut ? 1 : 0;
    f.CharSet = charset_;
    std::strncpy(f.FaceName, name_.c_str(), sizeof f.FaceName - 1);
    return f;
}

void TFont::FromLogFont(const LogFontA& f) {
    const int32_t ppi = os::calls().ScreenPixelsPerInch();
    name_.assign(f.FaceName, strnlen(f.FaceName, sizeof f.FaceName));
    if (f.Height != 0) size_ = ((f.Height < 0 ? -f.Height : f.Height) * 72 + ppi / 2) / ppi;
    style_ = uint8_t((f.Weight >= 600 ? kBold : 0) | (f.Italic ? kItalic : 0) | (f.Underline ? kUnderline : 0) |
                     (f.StrikeOut ? kStrikeOut : 0));
    charset_ = f.CharSet;
    Changed();
}

namespace {
constexpr struct {
    int64_t value;
    const char* name;
} kColors[] = {
    {0x000000, "clBlack"},      {0x000080, "clMaroon"},        {0x008000, "clGreen"},
    {0x0000FF, "clRed"},        {0x00FF00, "clLime"},          {0xFF0000, "clBlue"},
    {0xFFFFFF, "clWhite"},      {0x808080, "clGray"},          {kClWindowText, "clWindowText"},
    {kClBtnFace, "clBtnFace"},  {kSystemColor | 5, "clWindow"}, {kClInfoText, "clInfoText"},
    {kClInfoBk, "clInfoBk"},    {kSystemColor | 18, "clBtnText"},
};
}  // namespace

std::string ColorToTextDefault(int64_t color) {
    for (const auto& c : kColors)
        if (c.value == color) return c.name;
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", unsigned(uint32_t(color)));
    return text;
}

std::string ColorToText(int64_t color) { return hooks().colorToText(color); }

bool TextToColor(const std::string& text, int64_t* color) {
    for (const auto& c : kColors)
        if (SameText(c.name, text)) return *color = c.value, true;
    if (text.size() > 1 && text[0] == '$') {
        char* end = nullptr;
        unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
        if (*end == 0) return *color = int64_t(uint32_t(v)), true;
    }
    return false;
}

}  // namespace plz::ui
