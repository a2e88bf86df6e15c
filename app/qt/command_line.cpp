// Reads the command line the way Linux programs do, leaving Qt's own options for Qt to take.
#include "app/qt/command_line.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace {

enum class CommandLineRequest
{
    OpenWindow,
    ShowHelp,
    ShowVersion,
    Mistake,
};

struct CommandLine
{
    CommandLineRequest request = CommandLineRequest::OpenWindow;
    std::string mistake; // the line to print when request is Mistake
};

using namespace std::string_view_literals;

constexpr const char* program = "vantrel-hex2dec";

// The options Qt 6 takes from the command line itself, written with one dash; Qt accepts two as well.
constexpr std::array qtOptionsWithValue = {
    "-platform"sv,
    "-platformpluginpath"sv,
    "-platformtheme"sv,
    "-plugin"sv,
    "-qwindowgeometry"sv,
    "-qwindowtitle"sv,
    "-qwindowicon"sv,
    "-session"sv,
    "-style"sv,
    "-stylesheet"sv,
    "-qmljsdebugger"sv,
    "-display"sv,
    "-name"sv,
    "-title"sv,
    "-icon"sv,
    "-geometry"sv,
    "-visual"sv,
};
constexpr std::array qtFlags = {"-reverse"sv, "-widgetcount"sv, "-nograb"sv, "-dograb"sv, "-testability"sv};
// Of the options with a value, these also take it joined by '=' (-style=fusion).
constexpr std::array qtOptionsWithJoinedValue = {"-style="sv, "-stylesheet="sv, "-qmljsdebugger="sv};

bool isOneOf(std::string_view word, std::span<const std::string_view> words)
{
    return std::ranges::find(words, word) != words.end();
}

bool startsWithOneOf(std::string_view word, std::span<const std::string_view> prefixes)
{
    return std::ranges::any_of(
        prefixes, [word](std::string_view prefix) { return word.size() > prefix.size() && word.starts_with(prefix); });
}

CommandLine mistake(std::string text)
{
    return {CommandLineRequest::Mistake, std::string(program) + ": " + text + "; try '" + program + " --help'"};
}

constexpr const char* helpText =
    R"(Usage: vantrel-hex2dec [OPTION]...
Open the Hex to Decimal Converter: type a filter code as hexadecimal byte values
separated by spaces (FE FE 00 90 01 05 FD), press Convert, and read the same
values in decimal (254 254 0 144 1 5).

Options:
  -h, --help         show this help and exit
      --version      show the version and exit

Qt's own options work too, among them:
  -platform NAME     the window system to use: xcb, wayland, offscreen
  -display DISPLAY   the X display to open the window on
  -style NAME        the look of the controls, such as Fusion
  -reverse           lay the window out from right to left

Exit status: 0 once the window is closed, 1 when no window can be opened,
2 when the command line is wrong.

The rules of the conversion are in the manual: man vantrel-hex2dec
)";

// Reads the arguments that follow the program's name.
CommandLine readCommandLine(std::span<const char* const> arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-h" || argument == "--help")
            return {CommandLineRequest::ShowHelp, {}};
        if (argument == "--version")
            return {CommandLineRequest::ShowVersion, {}};
        if (argument == "--") {
            if (i + 1 < arguments.size())
                return mistake("unexpected argument '" + std::string(arguments[i + 1]) + "'");
            break;
        }
        if (!argument.starts_with('-') || argument == "-")
            return mistake("unexpected argument '" + std::string(argument) + "'");

        const std::string_view option = argument.starts_with("--") ? argument.substr(1) : argument;
        if (isOneOf(option, qtFlags) || startsWithOneOf(option, qtOptionsWithJoinedValue))
            continue;
        if (isOneOf(option, qtOptionsWithValue)) {
            if (++i == arguments.size())
                return mistake("option '" + std::string(argument) + "' needs a value");
            continue;
        }
        return mistake("unknown option '" + std::string(argument) + "'");
    }
    return {};
}

} // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv)
{
    const CommandLine line = readCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    switch (line.request) {
    case CommandLineRequest::OpenWindow:
        return std::nullopt;
    case CommandLineRequest::ShowHelp:
        std::fputs(helpText, stdout);
        return 0;
    case CommandLineRequest::ShowVersion:
        std::printf("%s (Vantrel Hex to Decimal Converter) %s\n", program, HEXDEC_VERSION);
        return 0;
    case CommandLineRequest::Mistake:
        std::fprintf(stderr, "%s\n", line.mistake.c_str());
        return 2;
    }
    return 2;
}
