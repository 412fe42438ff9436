// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include "app/version.h"
#include "model/number_text.h"
#include "model/results.h"
#include "ui/language.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vesk::command_line {
namespace {

using language::NC_;

// The toolkit's own options, which go on to the window: those that take a
// value, and those that do not.
constexpr std::array<std::string_view, 14> kToolkitWithValue = {
    "-display",      "-platform",   "-platformpluginpath", "-platformtheme",
    "-plugin",       "-style",      "-stylesheet",         "-session",
    "-name",         "-title",      "-geometry",           "-qwindowgeometry",
    "-qwindowtitle", "-qwindowicon"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"-reverse", "-widgetcount", "-nograb",
                                                           "-dograb", "-sync"};

// "-3", "-.5", "+1e3": an argument that starts with a number is a factor.
bool numeric(std::string_view a)
{
    if (!a.empty() && (a[0] == '-' || a[0] == '+'))
        a.remove_prefix(1);
    if (!a.empty() && a[0] == '.')
        a.remove_prefix(1);
    return !a.empty() && a[0] >= '0' && a[0] <= '9';
}

template <std::size_t N> bool among(const std::array<std::string_view, N>& set, std::string_view a)
{
    return std::find(set.begin(), set.end(), a) != set.end();
}

} // namespace

std::string FactorLine(std::string_view typed)
{
    const std::string text = ClampedFactorText(typed);
    const Results r = ResultsFor(text);
    return text + '\t' + r.multipleOfC + '\t' + r.metresPerSecond + '\t' + std::string(r.method) +
           '\n';
}

std::string Usage()
{
    return language::Text(
        language::kCommandLine,
        // TRANSLATORS: vesk --help. Keep "vesk", the options and "FACTOR" of
        // the usage line, and the example's two lines, as they are: the
        // factor lines are the same in every language, for other programs to
        // read. The lines are at most 79 characters long.
        NC_("command line",
            "Usage: vesk [FACTOR...]\n"
            "Shows the speed a vesk factor stands for. Without a factor, opens the\n"
            "calculator's window; with factors, prints one line for each and exits.\n"
            "\n"
            "Each line holds, between tabs: the factor as the window's text box shows it\n"
            "after Enter (below 0 it is 0, above 9.9999 it is 9.9999), the speed as a\n"
            "multiple of the speed of light, in metres per second, and the method\n"
            "(Established or Interpolated).\n"
            "A factor is read as the text box reads it: its leading number, the rest\n"
            "ignored, and text that is no number as 0.\n"
            "\n"
            "Options:\n"
            "  -h, --help     print this help and exit\n"
            "      --version  print the version and exit\n"
            "      --         end of the options: what follows are factors\n"
            "\n"
            "The window also takes the toolkit's own options, such as -display.\n"
            "Example: vesk 9.5 prints\n"
            "9.5\t1,842.28\t552,300,155,500\tInterpolated\n"));
}

std::string VersionText()
{
    return std::string("vesk ") + version::kText + "\nCopyright (C) 1997 Quarvane\n" +
           // TRANSLATORS: vesk --version's last line.
           language::Text(language::kCommandLine, NC_("command line", "Licence: MIT")) + "\n";
}

int Run(std::span<char* const> arguments, std::FILE* out, std::FILE* err)
{
    std::vector<std::string_view> factors;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i];
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--help" || a == "-h")) {
            std::fputs(Usage().c_str(), out);
            return 0;
        } else if (options && a == "--version") {
            std::fputs(VersionText().c_str(), out);
            return 0;
        } else if (options && among(kToolkitWithValue, a)) {
            ++i; // the toolkit's, with its value
        } else if (options && among(kToolkitFlags, a)) {
        } else if (options && a.size() > 1 && a[0] == '-' && !numeric(a)) {
            const std::string message = language::Fill(
                language::Text(language::kCommandLine,
                               // TRANSLATORS: an error; %s is the option given.
                               NC_("command line", "unknown option '%s'; see 'vesk --help'")),
                a);
            std::fprintf(err, "vesk: %s\n", message.c_str());
            return 2;
        } else {
            factors.push_back(a);
        }
    }
    if (factors.empty())
        return -1;
    for (std::string_view f : factors)
        std::fputs(FactorLine(f).c_str(), out);
    return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1;
}

} // namespace vesk::command_line
