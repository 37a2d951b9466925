#include "core/startup_failure.h"

#include <initializer_list>
#include <tuple>

#include "core/program_texts.h"

namespace rongxi::core {
namespace {

// The program's name, then the text with its "{}" filled in.
std::string Line(ProgramText id, std::string_view filling = {}) {
    std::string text(TextOf(id));
    if (const std::size_t at = text.find("{}"); at != std::string::npos) {
        text.replace(at, 2, filling);
    }
    return "rongxi: " + text;
}

}  // namespace

StartupFailureText StartupFailureMessage(const StartupFailure& failure) {
    std::string given;
    bool anyAnswers = false;
    for (const auto& [name, value, answers] :
         {std::tuple{"DISPLAY", failure.display, failure.displayAnswers},
          std::tuple{"WAYLAND_DISPLAY", failure.waylandDisplay, failure.waylandAnswers}}) {
        if (value.empty()) continue;
        if (!given.empty()) given += ", ";
        given += std::string(name) + "=" + std::string(value);
        anyAnswers = anyAnswers || answers;
    }
    // A platform the user named is what failed, whatever the displays do;
    // otherwise the display is at fault when none of those set answers.
    if (!failure.platformsFromUser && !anyAnswers) {
        if (given.empty()) {
            return {Line(ProgramText::NoDisplaySet), Line(ProgramText::NoDisplaySetEnglish), {}};
        }
        return {Line(ProgramText::DisplayUnreachable, given),
                Line(ProgramText::DisplayUnreachableEnglish, given),
                {}};
    }
    const std::string tried = failure.platforms.empty() ? given : std::string(failure.platforms);
    return {Line(ProgramText::PlatformFailed, tried),
            Line(ProgramText::PlatformFailedEnglish, tried), std::string(failure.reason)};
}

}  // namespace rongxi::core
