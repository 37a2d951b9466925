#include "ui/web/form1.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/box_colours.h"
#include "ui/unicode_text.h"

namespace rongxi::ui {
namespace {

using emscripten::val;

// What the page shows in the window's place once the program has ended.
constexpr std::u16string_view kEndedNotice = u"榕汐已退出。";
constexpr std::u16string_view kStartAgain = u"重新打开";

Form1* gShownWindow = nullptr;

// The browser's answer to a call of browser_calls.js: its value, or the
// browser's refusal raised as a failure.
val Answer(const val& answer) {
    const val failure = answer["failure"];
    if (failure.isString()) throw std::runtime_error(failure.as<std::string>());
    return answer["value"];
}

val Get(const val& object, const char* key) {
    return Answer(val::module_property("rongxiBrowser").call<val>("get", object, val(key)));
}

void Set(const val& object, const char* key, const val& value) {
    Answer(val::module_property("rongxiBrowser").call<val>("set", object, val(key), value));
}

template <typename... Arguments>
val Call(const val& object, const char* method, Arguments&&... arguments) {
    return Answer(val::module_property("rongxiBrowser")
                      .call<val>("call", object, val(method),
                                 val::array(std::vector<val>{val(arguments)...})));
}

val Document() { return val::global("document"); }

val CreateElement(const char* tag) { return Document().call<val>("createElement", val(tag)); }

val Text(std::string_view utf8) { return val(std::string(utf8)); }
val Text(std::u16string_view utf16) { return val(std::u16string(utf16)); }

// The element a control is made of, and its class in the style sheet.
struct ElementKind {
    const char* tag;
    const char* styleClass;
};

ElementKind ElementOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return {"fieldset", "frame"};
        case ControlKind::Button:
            return {"button", "button"};
        case ControlKind::EntryBox:
            return {"input", "entry-box"};
        case ControlKind::ResultBox:
            break;
    }
    return {"input", "result-box"};
}

// A CSS font-family list; the generic family closes it, so a browser that
// has none of the faces still draws Chinese in the right style.
template <std::size_t N>
std::string FontList(const std::array<std::string_view, N>& families, std::string_view generic) {
    std::string list;
    for (std::string_view family : families) {
        list += '"';
        list += family;
        list += "\", ";
    }
    return list + std::string(generic);
}

// A CSS colour as the page resolves it on `probe`, from its "rgb(r, g, b)".
Rgb ResolvedColour(const val& probe, const char* colour) {
    Set(probe["style"], "color", val(colour));
    const auto text = val::global("getComputedStyle")(probe)["color"].as<std::string>();
    std::array<int, 3> channels{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int& channel : channels) {
        at = std::find_if(at, end, [](char c) { return c >= '0' && c <= '9'; });
        at = std::from_chars(at, end, channel).ptr;
    }
    return {channels[0], channels[1], channels[2]};
}

std::string CssColour(Rgb colour) {
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

// Ways text arrives in a box that the page can still refuse or cut down.
// A composition cannot be cancelled; its commit is put right afterwards.
bool IsArrival(const std::string& inputType) {
    return inputType == "insertText" || inputType == "insertReplacementText" ||
           inputType == "insertFromPaste" || inputType == "insertFromDrop" ||
           inputType == "insertFromYank";
}

std::u16string ArrivingText(const val& event) {
    const val data = event["data"];
    if (data.isString()) return data.as<std::u16string>();
    const val transfer = event["dataTransfer"];
    if (transfer.isNull() || transfer.isUndefined()) return {};
    return transfer.call<val>("getData", val("text/plain")).as<std::u16string>();
}

TextSelection SelectionOf(const val& box) {
    return {Get(box, "selectionStart").as<std::size_t>(),
            Get(box, "selectionEnd").as<std::size_t>()};
}

// The page listens to the window as a whole; the events' targets tell the
// controls apart.
template <void (Form1::*handler)(const val&)>
void Route(const val& event) {
    if (gShownWindow != nullptr) (gShownWindow->*handler)(event);
}

void RouteFailure(const val& event) {
    if (gShownWindow == nullptr) return;
    const val error = event["error"];
    const val what = error.isNull() || error.isUndefined() ? event["message"] : error["message"];
    gShownWindow->uncaughtFailure(what.isString() ? what.as<std::string>() : "未知错误");
}

struct Listener {
    const char* event;
    const char* binding;
};
constexpr std::array<Listener, 5> kWindowListeners{{
    {"click", "rongxiClick"},
    {"beforeinput", "rongxiBeforeInput"},
    {"input", "rongxiInput"},
    {"compositionstart", "rongxiCompositionStart"},
    {"compositionend", "rongxiCompositionEnd"},
}};

}  // namespace

Form1::Form1() : window_(CreateElement("main")) {
    controls_.reserve(kControlCount);
    window_.set("id", Text(kWindowName));
    const val style = window_["style"];
    style.call<void>("setProperty", val("--box-fonts"), val(FontList(kBoxFontFamilies, "serif")));
    style.call<void>("setProperty", val("--caption-fonts"),
                     val(FontList(kCaptionFamilies, "sans-serif")));
    createControls();
    gShownWindow = this;
    for (const Listener& listener : kWindowListeners) {
        window_.call<void>("addEventListener", val(listener.event),
                           val::module_property(listener.binding));
    }
    val::global().call<void>("addEventListener", val("error"),
                             val::module_property("rongxiFailure"));
}

Form1::~Form1() {
    if (gShownWindow == this) gShownWindow = nullptr;
}

void Form1::createControls() {
    for (const ControlSpec& spec : Form1Layout) {
        const ElementKind kind = ElementOf(spec.kind);
        val control = CreateElement(kind.tag);
        control.set("id", Text(spec.name));
        control.set("className", val(kind.styleClass));
        // The rectangle in twips, for the desktop layout; the font in pixels
        // at 96 dpi.
        const val style = control["style"];
        const auto setProperty = [&style](const char* name, int value) {
            style.call<void>("setProperty", val(name), val(std::to_string(value)));
        };
        setProperty("--left", spec.twips.left);
        setProperty("--top", spec.twips.top);
        setProperty("--width", spec.twips.width);
        setProperty("--height", spec.twips.height);
        setProperty("--font", FontPixels(spec.kind));
        switch (spec.kind) {
            case ControlKind::Frame: {
                val legend = CreateElement("legend");
                legend.set("textContent", Text(spec.caption));
                control.call<void>("append", legend);
                break;
            }
            case ControlKind::Button:
                control.set("type", val("button"));
                control.set("textContent", Text(spec.caption));
                break;
            case ControlKind::EntryBox:
            case ControlKind::ResultBox:
                control.set("type", val("text"));
                control.call<void>("setAttribute", val("aria-label"), Text(spec.accessibleName));
                control.call<void>("setAttribute", val("autocomplete"), val("off"));
                control.set("spellcheck", false);
                if (const auto limit = LengthLimitUnits(spec.kind))
                    control.set("maxLength", *limit);
                // A phone offers its digit keys first; any other character can
                // still be typed, and counts as 0.
                if (spec.kind == ControlKind::EntryBox) {
                    control.call<void>("setAttribute", val("inputmode"), val("numeric"));
                    control.call<void>("setAttribute", val("autocapitalize"), val("off"));
                    control.call<void>("setAttribute", val("autocorrect"), val("off"));
                }
                break;
        }
        val container = spec.frame ? element(*spec.frame) : window_;
        container.call<void>("append", control);
        controls_.push_back(control);
    }
}

void Form1::show() {
    Document().set("title", Text(kWindowCaption));
    Document()["body"].call<void>("prepend", window_);
    colourBoxBorders();
    val::global("matchMedia")(val("(prefers-color-scheme: dark)"))
        .call<void>("addEventListener", val("change"),
                    val::module_property("rongxiPaletteChanged"));
    setFocus(Control::Text1);
}

// The browser's own colours for a box's border can all but vanish against
// the page, in dark schemes above all: the boxes take the colours the
// desktop windows take from the same palette roles.
void Form1::colourBoxBorders() {
    const Rgb page = ResolvedColour(window_, "Canvas");
    const Rgb box = ResolvedColour(window_, "Field");
    const Rgb text = ResolvedColour(window_, "CanvasText");
    const Rgb highlight = ResolvedColour(window_, "Highlight");
    Set(window_["style"], "color", val(""));
    const BoxBorders borders = BoxBorderColours(page, box, text, highlight);
    const val style = window_["style"];
    style.call<void>("setProperty", val("--box-border"), val(CssColour(borders.normal)));
    style.call<void>("setProperty", val("--box-focus"), val(CssColour(borders.focused)));
}

void Form1::paletteChanged(const val& /*event*/) {
    if (!ended_) handlers_.runGuarded([this] { colourBoxBorders(); });
}

std::u16string Form1::text(Control box) const {
    return Get(element(box), "value").as<std::u16string>();
}

// Writing a box's value raises no event in a browser: the box's Change
// follows here, as it follows any change.
void Form1::setText(Control box, std::u16string_view text) {
    Set(element(box), "value", Text(text));
    boxChanged(box);
}

void Form1::setFocus(Control box) { Call(element(box), "focus"); }

void Form1::endProgram(int /*status*/) {
    if (ended_) return;
    ended_ = true;
    val notice = CreateElement("div");
    notice.set("id", val("Ended"));
    val message = CreateElement("p");
    message.call<void>("setAttribute", val("role"), val(failure_.empty() ? "status" : "alert"));
    message.set("textContent", Text(failure_.empty() ? kEndedNotice : failure_));
    // An empty address is the page itself: following it starts the program again.
    val again = CreateElement("a");
    again.set("href", val(""));
    again.set("textContent", Text(kStartAgain));
    notice.call<void>("append", message, again);
    window_.call<void>("replaceWith", notice);
    again.call<void>("focus");
}

void Form1::showFailure(std::u16string_view /*title*/, std::u16string_view message) {
    failure_ = message;
}

void Form1::click(const val& event) {
    const auto button = controlOf(event);
    if (button && SpecOf(*button).kind == ControlKind::Button) handlers_.click(*button);
}

void Form1::beforeInput(const val& event) {
    const auto box = controlOf(event);
    if (!box || SpecOf(*box).kind != ControlKind::EntryBox) return;
    const auto inputType = event["inputType"].as<std::string>();
    if (!IsArrival(inputType)) return;
    handlers_.runGuarded([&] {
        const val element = this->element(*box);
        const std::u16string incoming = ArrivingText(event);
        // A drop lands beside what the box holds, never over it.
        const TextSelection selection =
            inputType == "insertFromDrop" ? TextSelection{} : SelectionOf(element);
        const std::u16string taken = handlers_.admit(*box, text(*box), selection, incoming);
        if (taken == incoming) return;  // the browser inserts it as it is
        event.call<void>("preventDefault");
        // The browser's own insertion, so that it undoes in one step.
        if (!taken.empty()) {
            Call(Document(), "execCommand", "insertText", false, taken);
        }
    });
}

void Form1::input(const val& event) {
    const auto box = controlOf(event);
    if (!box || !IsTextBox(*box)) return;
    // A composition's text is the box's once it ends.
    if (event["isComposing"].as<bool>()) return;
    boxChanged(*box);
}

void Form1::compositionStart(const val& event) {
    const auto box = controlOf(event);
    if (!box || SpecOf(*box).kind != ControlKind::EntryBox) return;
    handlers_.runGuarded([&] {
        composition_ = Composition{*box, text(*box), SelectionOf(element(*box))};
    });
}

// A browser cannot refuse a composition, so its commit is admitted once it
// has landed: the box is put back to what it held with the admitted part of
// the commit in place of what the composition replaced. That cut is not one
// of the browser's undo steps.
void Form1::compositionEnd(const val& event) {
    const auto box = controlOf(event);
    if (!box || !IsTextBox(*box)) return;
    handlers_.runGuarded([&] {
        const std::optional<Composition> started = std::exchange(composition_, std::nullopt);
        if (started && started->box == *box && event["data"].isString()) {
            std::u16string admitted = started->text;
            const std::size_t start = std::min(started->replaced.start, admitted.size());
            const std::size_t end = std::clamp(started->replaced.end, start, admitted.size());
            admitted.replace(start, end - start,
                             handlers_.admit(*box, started->text, started->replaced,
                                             event["data"].as<std::u16string>()));
            if (text(*box) != admitted) Set(element(*box), "value", Text(admitted));
        }
        correct(*box, handlers_.textChanged(*box, text(*box)));
    });
}

void Form1::uncaughtFailure(const std::string& what) {
    if (!ended_) handlers_.reportFailure(FailureText(what));
}

void Form1::boxChanged(Control box) {
    handlers_.runGuarded([&] { correct(box, handlers_.textChanged(box, text(box))); });
}

void Form1::correct(Control box, const BoxCorrection& correction) {
    switch (correction.action) {
        case BoxCorrection::Action::None:
            break;
        case BoxCorrection::Action::Restore:
            Set(element(box), "value", Text(correction.text));
            break;
        case BoxCorrection::Action::Replace:
            setText(box, correction.text);
            break;
    }
}

std::optional<Control> Form1::controlOf(const val& event) const {
    const val target = event["target"];
    if (!target.instanceof (val::global("Element"))) return std::nullopt;
    const val control = target.call<val>("closest", val("input, button"));
    if (control.isNull()) return std::nullopt;
    const std::optional<Control> id = ControlNamed(control["id"].as<std::string>());
    if (!id || !element(*id).strictlyEquals(control)) return std::nullopt;
    return id;
}

val Form1::element(Control id) const { return controls_.at(IndexOf(id)); }

}  // namespace rongxi::ui

EMSCRIPTEN_BINDINGS(rongxi_form1) {
    using rongxi::ui::Form1;
    emscripten::function("rongxiClick", &rongxi::ui::Route<&Form1::click>);
    emscripten::function("rongxiBeforeInput", &rongxi::ui::Route<&Form1::beforeInput>);
    emscripten::function("rongxiInput", &rongxi::ui::Route<&Form1::input>);
    emscripten::function("rongxiCompositionStart", &rongxi::ui::Route<&Form1::compositionStart>);
    emscripten::function("rongxiCompositionEnd", &rongxi::ui::Route<&Form1::compositionEnd>);
    emscripten::function("rongxiPaletteChanged", &rongxi::ui::Route<&Form1::paletteChanged>);
    emscripten::function("rongxiFailure", &rongxi::ui::RouteFailure);
}
