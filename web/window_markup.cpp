#include "web/window_markup.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/program_texts.h"
#include "core/window_layout.h"

namespace rongxi::web {

using namespace rongxi::core;

namespace {

// Text for an element's content or a quoted attribute.
std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// A CSS font-family list; the generic family closes it, so a browser that
// has none of the faces still draws Chinese in the right style.
template <std::size_t N>
std::string FontList(const std::array<std::string_view, N>& families, std::string_view generic) {
    std::string list;
    for (std::string_view family : families) {
        list += "'" + std::string(family) + "', ";
    }
    return list + std::string(generic);
}

std::string Property(std::string_view name, int value) {
    return std::string(name) + ": " + std::to_string(value) + "; ";
}

// The rectangle in twips, for the desktop layout; the font in pixels at 96 dpi.
std::string ControlStyle(const ControlSpec& spec) {
    std::string style = Property("--left", spec.twips.left) + Property("--top", spec.twips.top) +
                        Property("--width", spec.twips.width) +
                        Property("--height", spec.twips.height) +
                        Property("--font", FontPixels(spec.kind));
    style.pop_back();
    return style;
}

// ` name="value"`, the value escaped.
std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=" + '"' + Escaped(value) + '"';
}

std::string ControlElement(const ControlSpec& spec) {
    const std::string common =
        Attribute("id", spec.designName) + Attribute("style", ControlStyle(spec));
    switch (spec.kind) {
        case ControlKind::Frame:
            return "<fieldset" + Attribute("class", "frame") + common + "><legend>" +
                   Escaped(spec.caption) + "</legend>";
        case ControlKind::Button:
            return "<button" + Attribute("type", "button") + Attribute("class", "button") + common +
                   ">" + Escaped(spec.caption) + "</button>";
        case ControlKind::EntryBox:
        case ControlKind::ResultBox:
            break;
    }
    const std::string box = common + Attribute("aria-label", spec.accessibleName) +
                            Attribute("autocomplete", "off") + Attribute("spellcheck", "false");
    // A kill row wraps where large text makes it wider than a phone: a text
    // area, one line high until then.
    if (spec.kind == ControlKind::ResultBox) {
        return "<textarea" + Attribute("rows", "1") + Attribute("class", "result-box") + box +
               "></textarea>";
    }
    // A phone offers its digit keys first; any other character can still be
    // typed, and counts as 0.
    std::string entry = "<input" + Attribute("type", "text") + Attribute("class", "entry-box") +
                        box + Attribute("inputmode", "numeric") +
                        Attribute("autocapitalize", "off") + Attribute("autocorrect", "off");
    if (const auto limit = LengthLimitUnits(spec.kind)) {
        entry += Attribute("maxlength", std::to_string(*limit));
    }
    return entry + ">";
}

}  // namespace

std::string WindowMarkup() {
    // The window's own layout and faces, for the style sheet.
    const std::string style = "--box-fonts: " + FontList(kBoxFontFamilies, "serif") +
                              "; --caption-fonts: " + FontList(kCaptionFamilies, "sans-serif") +
                              "; " + Property("--client-width", kClientWidthTwips) +
                              Property("--client-height", kClientHeightTwips) +
                              Property("--twips-per-pixel", kTwipsPerInch / kStandardDpi) +
                              Property("--caption-font", FontPixels(ControlKind::Frame));
    std::string markup = "<main" + Attribute("id", kWindowDesignName) +
                         Attribute("style", style.substr(0, style.size() - 1)) + ">\n";
    // Controls follow the table's order, each inside its frame; a frame
    // closes where the next control outside it, or the window, begins.
    std::optional<Control> openFrame;
    for (const ControlSpec& spec : kWindowLayout) {
        if (openFrame && spec.frame != openFrame) {
            markup += "</fieldset>\n";
            openFrame.reset();
        }
        markup += (spec.frame ? "  " : "") + ControlElement(spec) + "\n";
        if (spec.kind == ControlKind::Frame) openFrame = spec.id;
    }
    if (openFrame) markup += "</fieldset>\n";
    markup += "<p" + Attribute("id", kAnnouncementId) + Attribute("class", "announcement") +
              Attribute("role", "status") + "></p>\n";
    return markup + "</main>";
}

std::string NoticesMarkup() {
    // An empty address is the page itself: following it loads it again.
    return "<noscript>\n<style>#" + std::string(kWindowDesignName) +
           " { display: none; }</style>\n" + Escaped(TextOf(ProgramText::NeedsJavaScript)) +
           "\n</noscript>\n<p" + Attribute("id", "cannot-run") + Attribute("class", "notice") +
           " hidden>" + Escaped(TextOf(ProgramText::CannotRun)) + "</p>\n<p" +
           Attribute("id", "download-failed") + Attribute("class", "notice") + " hidden>" +
           Escaped(TextOf(ProgramText::DownloadFailed)) + " <a href=\"\">" +
           Escaped(TextOf(ProgramText::TryAgain)) + "</a></p>";
}

}  // namespace rongxi::web
