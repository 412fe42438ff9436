// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/language.h"

#include "ui/catalogs.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace vesk::language {
namespace {

const catalogs::Catalog* inUse = nullptr;

// A locale's name or a language tag as a shipped tag would be written:
// "pt_BR.UTF-8@euro" and "pt-BR" both as "pt_BR"; nothing for C and POSIX.
std::string normalised(std::string_view name)
{
    name = name.substr(0, name.find_first_of(".@"));
    std::string tag(name);
    std::replace(tag.begin(), tag.end(), '-', '_');
    // A script between language and region ("zh_Hans_CN") says nothing more
    // here than the region does.
    if (const std::size_t first = tag.find('_'), second = tag.find('_', first + 1);
        first != std::string::npos && second == first + 5)
        tag.erase(first, 5);
    const std::size_t region = tag.find('_');
    for (std::size_t i = 0; i < tag.size(); ++i)
        tag[i] = static_cast<char>(i < region ? std::tolower(static_cast<unsigned char>(tag[i]))
                                              : std::toupper(static_cast<unsigned char>(tag[i])));
    return tag == "C" || tag == "c" || tag == "POSIX" || tag == "posix" ? std::string() : tag;
}

const catalogs::Catalog* find(std::string_view tag)
{
    for (const catalogs::Catalog& c : catalogs::All())
        if (tag == c.tag)
            return &c;
    return nullptr;
}

} // namespace

const char* Text(std::string_view context, const char* english)
{
    if (inUse == nullptr)
        return english;
    const auto key = [](const catalogs::Entry& e) {
        return std::make_tuple(std::string_view(e.context), std::string_view(e.english));
    };
    const auto wanted = std::make_tuple(context, std::string_view(english));
    const auto at =
        std::lower_bound(inUse->entries.begin(), inUse->entries.end(), wanted,
                         [&](const catalogs::Entry& e, const auto& w) { return key(e) < w; });
    return at != inUse->entries.end() && key(*at) == wanted ? at->text : english;
}

std::string Text(std::string_view context, std::string_view english)
{
    return Text(context, std::string(english).c_str());
}

std::string Fill(std::string_view text, std::string_view value)
{
    std::string out(text);
    if (const std::size_t at = out.find("%s"); at != std::string::npos)
        out.replace(at, 2, value);
    return out;
}

std::vector<std::string_view> Shipped()
{
    std::vector<std::string_view> tags{kEnglish};
    for (const catalogs::Catalog& c : catalogs::All())
        tags.emplace_back(c.tag);
    return tags;
}

std::string_view Choose(std::span<const std::string> preferences)
{
    for (const std::string& preference : preferences) {
        const std::string tag = normalised(preference);
        if (tag.empty())
            continue;
        if (tag.starts_with("en"))
            return kEnglish;
        if (const catalogs::Catalog* c = find(tag))
            return c->tag;
        const std::string language = tag.substr(0, tag.find('_'));
        if (const catalogs::Catalog* c = find(language))
            return c->tag;
        // A language named without its region takes the one shipped
        // ("zh" the Chinese of zh_CN).
        if (language == tag)
            for (const catalogs::Catalog& c : catalogs::All())
                if (std::string_view(c.tag).starts_with(language + '_'))
                    return c.tag;
    }
    return kEnglish;
}

std::vector<std::string> PosixPreferences(const char* (*get)(const char*))
{
    const auto variable = [&](const char* name) {
        const char* value = get(name);
        return std::string(value != nullptr ? value : "");
    };
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (locale = variable(name); !locale.empty())
            break;
    if (locale.empty() || normalised(locale).empty())
        return {}; // the C locale: English, whatever LANGUAGE says
    std::vector<std::string> preferences;
    const std::string list = variable("LANGUAGE");
    for (std::size_t from = 0; from <= list.size();) {
        const std::size_t to = std::min(list.find(':', from), list.size());
        if (to > from)
            preferences.push_back(list.substr(from, to - from));
        from = to + 1;
    }
    preferences.push_back(locale);
    return preferences;
}

void Use(std::string_view tag)
{
    inUse = find(tag);
}

std::string_view InUse()
{
    return inUse != nullptr ? inUse->tag : kEnglish;
}

} // namespace vesk::language
