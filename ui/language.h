// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The program's texts in its user's language. Every text a user reads is
// written in English where it is used, marked for xgettext; the catalogs of
// po/ are compiled, when the program is built, into a table of the
// translations that the program itself uses (catalogs.h), and Text() looks a
// text up in the language chosen. A text that a catalog lacks stays as it is
// written. Figures never pass through here: they are the same in every
// language.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::language {

// Marks a text for xgettext where it stands (a table's row, a constant):
// with the context of the place it shows, which says where to look it up.
// The text itself, unchanged.
constexpr const char* NC_(const char* /*context*/, const char* text)
{
    return text;
}

// The places whose texts the catalogs hold, each a context of its own.
inline constexpr char kMainWindow[] = "main window";
inline constexpr char kAboutWindow[] = "About window";
inline constexpr char kCommandLine[] = "command line";
inline constexpr char kPage[] = "page";
inline constexpr char kInstaller[] = "installer";

// English: the texts as they are written.
inline constexpr char kEnglish[] = "en";

// The language a text of the place is in, in the language in use.
const char* Text(std::string_view context, const char* english);
std::string Text(std::string_view context, std::string_view english);

// A text with "%s" in it, filled in with the value.
std::string Fill(std::string_view text, std::string_view value);

// The shipped languages, as tags ("de", "pt_BR"), English first.
std::vector<std::string_view> Shipped();

// The shipped language that best serves the user's languages, in the order
// the user prefers them; each a locale's name ("pt_BR.UTF-8@euro") or a
// language tag ("pt-BR"). The first that names a shipped language wins, with
// its region if that is shipped ("pt_BR"), else without it ("pt"); a
// language named without a region takes the one shipped with a region ("zh"
// the Chinese of zh_CN); none gives English.
std::string_view Choose(std::span<const std::string> preferences);

// The user's languages as gettext takes them from the environment on a
// POSIX system: LANGUAGE's list, unless the locale for messages is C or
// POSIX (then English alone); then that locale, the first set of LC_ALL,
// LC_MESSAGES and LANG. `get` reads a variable (getenv), null when unset.
std::vector<std::string> PosixPreferences(const char* (*get)(const char*));

// Every later Text() in this language (a shipped tag; any other is English).
void Use(std::string_view tag);
std::string_view InUse();

} // namespace vesk::language
