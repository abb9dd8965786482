// Fonts: name, size in points, style, colour and character set, and their conversion to and from
// the platform's 60-byte font description.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/log_font.h"
#include "ui/properties.h"

namespace plz::ui {

// Colours: 0x00BBGGRR, or a system colour (0xFF000000 | index).
inline constexpr int64_t kSystemColor = 0xFF000000;
inline constexpr int64_t kClWindowText = kSystemColor | 8;
inline constexpr int64_t kClBtnFace = kSystemColor | 15;
inline constexpr int64_t kClInfoText = kSystemColor | 23;
inline constexpr int64_t kClInfoBk = kSystemColor | 24;

// The character set new fonts get: 1 (the platform's default) unless set otherwise.
uint8_t DefaultFontCharset();
void SetDefaultFontCharset(uint8_t charset);

enum FontStyle : uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

class TFont : public TPersistent {
public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    std::string ClassName() const override { return "TFont"; }
    const PropertyTable& Properties() const override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int32_t Size() const { return size_; }
    void SetSize(int32_t points);
    uint8_t Style() const { return style_; }
    void SetStyle(uint8_t style);
    int64_t Color() const { return color_; }
    void SetColor(int64_t color);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t charset);
    // The style as identifiers (fsBold, fsItalic, fsUnderline, fsStrikeOut).
    std::vector<std::string> StyleNames() const;
    void SetStyleNames(const std::vector<std::string>& names);

    void Assign(const TFont& other);
    // The platform description at the screen's pixels per inch; the colour is not part of it.
    LogFontA ToLogFont() const;
    void FromLogFont(const LogFontA& font);

    bool operator==(const TFont& other) const;

    // Called after every change.
    std::function<void()> onChange;

private:
    void Changed();
    std::string name_ = "Tahoma";
    int32_t size_ = 8;
    uint8_t style_ = 0;
    int64_t color_ = kClWindowText;
    uint8_t charset_ = DefaultFontCharset();
};

// Colour text: a known name (clBtnFace, clRed, ...) or "$00BBGGRR"; through the colour point.
std::string ColorToText(int64_t color);
// Text back to a colour; false when it is neither a known name nor a number.
bool TextToColor(const std::string& text, int64_t* color);
// The framework's own conversion, behind the colour point.
std::string ColorToTextDefault(int64_t color);

}  // namespace plz::ui
