// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The program at the command line: --help, --version, and factors in with
// their results out, one line each, exactly as the window shows them. With no
// argument (or only the toolkit's own options) the window opens instead.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace vesk::command_line {

// One factor's line: the text as the text box shows it after Enter, the
// multiple of c, the metres per second and the method word, between tabs.
std::string FactorLine(std::string_view typed);

std::string Usage();
std::string VersionText();

// Handles the arguments (without the program's name). Returns the exit
// status when the command line was the program's whole work, or -1 when the
// window is to open; prints only in the first case.
int Run(std::span<char* const> arguments, std::FILE* out, std::FILE* err);

} // namespace vesk::command_line
