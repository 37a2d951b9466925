#include "web/main_window.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/box_colours.h"
#include "core/program_texts.h"
#include "core/unicode_text.h"
#include "web/window_markup.h"

namespace rongxi::web {

using namespace rongxi::core;

namespace {

using emscripten::val;

MainWindow* gShownWindow = nullptr;

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

// One of the window's elements, which the page was built with.
val ElementById(std::string_view id) {
    val element = Document().call<val>("getElementById", Text(id));
    if (element.isNull()) {
        throw std::runtime_error(std::string(TextOf(ProgramText::MissingElement)) +
                                 std::string(id));
    }
    return element;
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

// The ways text arrives in a box that the page can still refuse or cut
// down, by the input event's type. A composition cannot be cancelled; its
// commit is put right once it has landed.
std::optional<Arrival> ArrivalOf(const std::string& inputType) {
    struct Path {
        const char* inputType;
        Arrival how;
    };
    static constexpr std::array<Path, 5> kPaths{{
        {"insertText", Arrival::Typed},
        {"insertReplacementText", Arrival::Replaced},
        {"insertFromPaste", Arrival::Pasted},
        {"insertFromDrop", Arrival::Dropped},
        {"insertFromYank", Arrival::Pasted},
    }};
    for (const Path& path : kPaths) {
        if (inputType == path.inputType) return path.how;
    }
    return std::nullopt;
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
template <void (MainWindow::*handler)(const val&)>
void Route(const val& event) {
    if (gShownWindow != nullptr) (gShownWindow->*handler)(event);
}

// The page's own scripts: the program, and its stand-in for WebAssembly.
constexpr std::array<const char*, 2> kOwnScripts{"rongxi.js", "rongxi.wasm.js"};

// Whether an uncaught error came from the program's own code. In-app
// browsers, carriers and extensions put scripts of their own into pages;
// their errors (and a script of another origin's, reported only as
// "Script error.") are theirs, and left to the browser.
bool IsOwnFailure(const val& event) {
    const val file = event["filename"];
    if (!file.isString()) return false;
    auto url = file.as<std::string>();
    url = url.substr(0, url.find_first_of("?#"));
    // A link resolves a name against the page's address in every browser.
    val link = CreateElement("a");
    return std::any_of(kOwnScripts.begin(), kOwnScripts.end(), [&](const char* script) {
        link.set("href", val(script));
        return link["href"].as<std::string>() == url;
    });
}

void RouteFailure(const val& event) {
    if (gShownWindow == nullptr || !IsOwnFailure(event)) return;
    const val error = event["error"];
    const val what = error.isNull() || error.isUndefined() ? event["message"] : error["message"];
    gShownWindow->uncaughtFailure(what.isString()
                                      ? what.as<std::string>()
                                      : std::string(TextOf(ProgramText::UnknownFailure)));
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

MainWindow::MainWindow()
    : window_(ElementById(kWindowDesignName)), announcement_(ElementById(kAnnouncementId)) {
    controls_.reserve(kControlCount);
    adoptControls();
    gShownWindow = this;
    for (const Listener& listener : kWindowListeners) {
        window_.call<void>("addEventListener", val(listener.event),
                           val::module_property(listener.binding));
    }
    val::global().call<void>("addEventListener", val("error"),
                             val::module_property("rongxiFailure"));
    val::global().call<void>("addEventListener", val("resize"),
                             val::module_property("rongxiResized"));
}

MainWindow::~MainWindow() {
    if (gShownWindow == this) gShownWindow = nullptr;
}

// The controls are in the page already, as the page was built from the
// layout table (web/window_markup.h).
void MainWindow::adoptControls() {
    for (const ControlSpec& spec : kWindowLayout) {
        controls_.push_back(ElementById(spec.designName));
    }
}

void MainWindow::show() {
    Document().set("title", Text(kWindowCaption));
    colourBoxBorders();
    // Safari before 14 has only MediaQueryList's older addListener.
    const val darkScheme = val::global("matchMedia")(val("(prefers-color-scheme: dark)"));
    const val paletteChanged = val::module_property("rongxiPaletteChanged");
    if (darkScheme["addEventListener"].isUndefined()) {
        darkScheme.call<void>("addListener", paletteChanged);
    } else {
        darkScheme.call<void>("addEventListener", val("change"), paletteChanged);
    }
    // The first box, unless the user has put the focus into the window
    // while the program was on its way.
    if (!controlAt(Document()["activeElement"])) setFocus(Control::Entry1);
}

// The browser's own colours for a box's border can all but vanish against
// the page, in dark schemes above all: the boxes take the colours the
// desktop windows take from the same palette roles.
void MainWindow::colourBoxBorders() {
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

void MainWindow::paletteChanged(const val& /*event*/) {
    if (!ended_) behaviour_.runGuarded([this] { colourBoxBorders(); });
}

std::u16string MainWindow::text(Control box) const {
    return Get(element(box), "value").as<std::u16string>();
}

// Writing a box's value raises no event in a browser: the box's Change
// follows here, as it follows any change.
void MainWindow::setText(Control box, std::u16string_view text) {
    Set(element(box), "value", Text(text));
    fitRowHeight(box);
    behaviour_.textChanged(box);
}

// With large text a row wraps onto more lines than its box shows: the box
// grows to them. The desktop layout keeps its own height.
void MainWindow::fitRowHeight(Control box) {
    if (SpecOf(box).kind != ControlKind::ResultBox) return;
    const val row = element(box);
    Set(row["style"], "height", val(""));
    const auto needed = Get(row, "scrollHeight").as<int>();
    const auto shown = Get(row, "clientHeight").as<int>();
    if (needed <= shown) return;
    const int borders = Get(row, "offsetHeight").as<int>() - shown;
    Set(row["style"], "height", val(std::to_string(needed + borders) + "px"));
}

void MainWindow::resized(const val& /*event*/) {
    if (ended_) return;
    behaviour_.runGuarded([this] {
        for (const ControlSpec& spec : kWindowLayout) fitRowHeight(spec.id);
    });
}

// A page's own edits join no undo history but the browser's insertions,
// which need the box focused and could be refused again: the text is set.
void MainWindow::correctText(Control box, std::u16string_view text) { setText(box, text); }

void MainWindow::setFocus(Control box) { Call(element(box), "focus"); }

// A live region is read out when its text changes: the same announcement
// twice in a row differs by a trailing no-break space.
void MainWindow::announce(std::u16string_view text) {
    std::u16string said(text);
    if (Get(announcement_, "textContent").as<std::u16string>() == said) said += u'\u00A0';
    Set(announcement_, "textContent", Text(said));
}

void MainWindow::endProgram(int /*status*/) {
    if (ended_) return;
    ended_ = true;
    val notice = CreateElement("div");
    notice.set("id", val("Ended"));
    val message = CreateElement("p");
    message.call<void>("setAttribute", val("role"), val(failure_.empty() ? "status" : "alert"));
    message.set("textContent",
                failure_.empty() ? Text(TextOf(ProgramText::Ended)) : Text(failure_));
    // An empty address is the page itself: following it starts the program again.
    val again = CreateElement("a");
    again.set("href", val(""));
    again.set("textContent", Text(TextOf(ProgramText::StartAgain)));
    notice.call<void>("append", message, again);
    window_.call<void>("replaceWith", notice);
    again.call<void>("focus");
}

void MainWindow::showFailure(std::u16string_view /*title*/, std::u16string_view message) {
    failure_ = message;
}

void MainWindow::click(const val& event) {
    const auto button = controlOf(event);
    if (button && SpecOf(*button).kind == ControlKind::Button) behaviour_.click(*button);
}

void MainWindow::beforeInput(const val& event) {
    const auto box = controlOf(event);
    if (!box || !IsTextBox(*box)) return;
    const auto inputType = event["inputType"].as<std::string>();
    // A row's box is a text area so that large text can wrap; it stays a
    // one-line box, where Enter writes nothing.
    if (inputType == "insertLineBreak" || inputType == "insertParagraph") {
        event.call<void>("preventDefault");
        return;
    }
    if (SpecOf(*box).kind != ControlKind::EntryBox) return;
    const std::optional<Arrival> how = ArrivalOf(inputType);
    if (!how) return;
    behaviour_.runGuarded([&] {
        const std::u16string incoming = ArrivingText(event);
        const std::optional<TextEdit> edit =
            behaviour_.editForArrival(*box, text(*box), SelectionOf(element(*box)), *how, incoming);
        if (edit && edit->text == incoming) return;  // the browser inserts it as it is
        event.call<void>("preventDefault");
        // The browser's own insertion into the box, so that it undoes in
        // one step.
        if (edit) {
            Call(element(*box), "focus");
            Call(element(*box), "setSelectionRange", static_cast<double>(edit->range.start),
                 static_cast<double>(edit->range.end));
            Call(Document(), "execCommand", "insertText", false, edit->text);
        }
    });
}

void MainWindow::input(const val& event) {
    const auto box = controlOf(event);
    if (!box || !IsTextBox(*box)) return;
    // A composition's text is the box's once it ends. Safari before 16.4
    // does not say an input event is part of one: the window keeps count.
    if (composition_ || event["isComposing"].isTrue()) return;
    behaviour_.runGuarded([&] { fitRowHeight(*box); });
    behaviour_.textChanged(*box);
}

void MainWindow::compositionStart(const val& event) {
    const auto box = controlOf(event);
    if (!box || !IsTextBox(*box)) return;
    behaviour_.runGuarded([&] {
        composition_ = Composition{*box, text(*box), SelectionOf(element(*box))};
    });
}

// A browser cannot refuse a composition: its commit is taken once it has
// landed. That cut is not one of the browser's undo steps.
void MainWindow::compositionEnd(const val& event) {
    const auto box = controlOf(event);
    if (!box || !IsTextBox(*box)) return;
    behaviour_.runGuarded([&] { fitRowHeight(*box); });
    const std::optional<Composition> started = std::exchange(composition_, std::nullopt);
    if (!started || started->box != *box || !event["data"].isString()) {
        behaviour_.textChanged(*box);
        return;
    }
    behaviour_.compositionLanded(*box, started->text, started->replaced,
                                 event["data"].as<std::u16string>());
}

void MainWindow::uncaughtFailure(const std::string& what) {
    if (!ended_) behaviour_.reportFailure(FailureText(what));
}

void ReportStartupFailure(const char* what) noexcept {
    try {
        val report = CreateElement("p");
        report.call<void>("setAttribute", val("role"), val("alert"));
        report.set("textContent", Text(FailureText(what)));
        // In place of the window, which could not start.
        const val window = Document().call<val>("getElementById", Text(kWindowDesignName));
        if (window.isNull()) {
            Document()["body"].call<void>("prepend", report);
        } else {
            window.call<void>("replaceWith", report);
        }
    } catch (...) {
        // The page can show nothing more.
    }
}

std::optional<Control> MainWindow::controlOf(const val& event) const {
    return controlAt(event["target"]);
}

std::optional<Control> MainWindow::controlAt(const val& target) const {
    if (!target.instanceof (val::global("Element"))) return std::nullopt;
    const val control = target.call<val>("closest", val("input, textarea, button"));
    if (control.isNull()) return std::nullopt;
    const std::optional<Control> id = ControlByDesignName(control["id"].as<std::string>());
    if (!id || !element(*id).strictlyEquals(control)) return std::nullopt;
    return id;
}

val MainWindow::element(Control id) const { return controls_.at(IndexOf(id)); }

}  // namespace rongxi::web

EMSCRIPTEN_BINDINGS(rongxi_main_window) {
    using rongxi::web::MainWindow;
    using rongxi::web::Route;
    emscripten::function("rongxiClick", &Route<&MainWindow::click>);
    emscripten::function("rongxiBeforeInput", &Route<&MainWindow::beforeInput>);
    emscripten::function("rongxiInput", &Route<&MainWindow::input>);
    emscripten::function("rongxiCompositionStart", &Route<&MainWindow::compositionStart>);
    emscripten::function("rongxiCompositionEnd", &Route<&MainWindow::compositionEnd>);
    emscripten::function("rongxiPaletteChanged", &Route<&MainWindow::paletteChanged>);
    emscripten::function("rongxiResized", &Route<&MainWindow::resized>);
    emscripten::function("rongxiFailure", &rongxi::web::RouteFailure);
}
