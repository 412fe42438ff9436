// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Compiles the catalogs, as msgfmt wrote them (.mo), into what each program
// carries. It runs on the machine that builds, whatever the build is for.
//   make_catalogs --cpp OUT.cpp CONTEXT[,CONTEXT...] TAG=FILE.mo...
//       the C++ table of ui/catalogs.h, with the texts of those places
//   make_catalogs --nsis OUT.nsh TAG=FILE.mo...
//       the installer's languages (NSIS's own files for its stock texts)
//       and a LangString for each of its messages (installer_texts.h)
//   make_catalogs --js OUT.js CONTEXT TAG=FILE.mo...
//       the page's own messages, for the page to show before, or without,
//       the program: const PAGE_ENGLISH = [english...] once, and
//       PAGE_TEXTS = {tag: [text...]}, each text where its English stands
//       ('' where the language has none)
#include "packaging/windows/installer_texts.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Entry {
    std::string context, english, text;
    bool operator<(const Entry& other) const
    {
        return std::tie(context, english) < std::tie(other.context, other.english);
    }
};

struct Catalog {
    std::string tag;
    std::vector<Entry> entries;
};

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "make_catalogs: %s\n", why.c_str());
    std::exit(1);
}

// A .mo file's messages: a header, then tables of (length, offset) of the
// originals and of the translations. An original with a context is
// "context\4english"; the empty original is the catalog's own header.
Catalog read(const std::string& argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos)
        fail("not TAG=FILE.mo: " + argument);
    std::ifstream in(argument.substr(equals + 1), std::ios::binary);
    const std::string mo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto word = [&](std::size_t at, bool swap) {
        if (at + 4 > mo.size())
            fail("a short catalog: " + argument);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t(static_cast<unsigned char>(mo[at + std::size_t(i)]))
                 << (swap ? 24 - 8 * i : 8 * i);
        return v;
    };
    const bool swap = word(0, false) != 0x950412de;
    if (word(0, swap) != 0x950412de)
        fail("not a catalog: " + argument);
    const std::uint32_t count = word(8, swap), originals = word(12, swap),
                        translations = word(16, swap);
    const auto string = [&](std::uint32_t table, std::uint32_t i) {
        const std::uint32_t length = word(table + 8 * i, swap), at = word(table + 8 * i + 4, swap);
        if (std::size_t(at) + length > mo.size())
            fail("a short catalog: " + argument);
        return mo.substr(at, length);
    };
    Catalog catalog{argument.substr(0, equals), {}};
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string original = string(originals, i);
        if (original.empty() || original.find('\0') != std::string::npos)
            continue; // the header; plural forms, which the program has none of
        const std::size_t separator = original.find('\4');
        std::string context;
        if (separator != std::string::npos) {
            context = original.substr(0, separator);
            original.erase(0, separator + 1);
        }
        catalog.entries.push_back({context, original, string(translations, i)});
    }
    std::sort(catalog.entries.begin(), catalog.entries.end());
    return catalog;
}

std::vector<Catalog> readAll(int first, int argc, char** argv)
{
    std::vector<Catalog> all;
    for (int i = first; i < argc; ++i)
        all.push_back(read(argv[i]));
    std::sort(all.begin(), all.end(),
              [](const Catalog& a, const Catalog& b) { return a.tag < b.tag; });
    return all;
}

// A C++ string literal: every byte outside printable ASCII in octal, which
// no following character can run on into.
std::string cppLiteral(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            out += octal;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// The code points of UTF-8 text.
std::vector<char32_t> codePoints(const std::string& text)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += length;
    }
    return out;
}

// A JavaScript string literal, in ASCII.
std::string jsLiteral(const std::string& text)
{
    std::string out = "'";
    char escaped[16];
    for (const char32_t c : codePoints(text)) {
        if (c == '\'' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else if (c < 0x10000) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        } else {
            std::snprintf(escaped, sizeof escaped, "\\u%04x\\u%04x",
                          unsigned(0xD800 + ((c - 0x10000) >> 10)),
                          unsigned(0xDC00 + ((c - 0x10000) & 0x3FF)));
            out += escaped;
        }
    }
    return out + '\'';
}

// An NSIS string, in its own escapes.
std::string nsisLiteral(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\n')
            out += "$\\r$\\n";
        else if (c == '"')
            out += "$\\\"";
        else if (c == '$')
            out += "$$";
        else
            out += c;
    }
    return out + '"';
}

// A catalog's text for an English original of the context, or the
// original where it has none.
std::string textOf(const Catalog& catalog, const std::string& context, const std::string& english)
{
    for (const Entry& e : catalog.entries)
        if (e.context == context && e.english == english)
            return e.text;
    return english;
}

std::string cpp(const std::vector<Catalog>& all, const std::string& contexts)
{
    const auto wanted = [&](const std::string& context) {
        return !context.empty() &&
               ("," + contexts + ",").find("," + context + ",") != std::string::npos;
    };
    std::ostringstream out;
    out << "// Written by make_catalogs from po/, for the places " << contexts
        << ".\n#include \"ui/catalogs.h\"\n\nnamespace vesk::language::catalogs {\nnamespace "
           "{\n\n";
    std::vector<std::string> names;
    for (const Catalog& c : all) {
        std::string name = "k" + c.tag;
        names.push_back(name);
        out << "constexpr Entry " << name << "[] = {\n";
        bool any = false;
        for (const Entry& e : c.entries)
            if (wanted(e.context)) {
                out << "    {" << cppLiteral(e.context) << ", " << cppLiteral(e.english) << ", "
                    << cppLiteral(e.text) << "},\n";
                any = true;
            }
        if (!any)
            out << "    {\"\", \"\", \"\"},\n"; // an array has at least one element
        out << "};\n\n";
    }
    out << "constexpr Catalog kAll[] = {\n";
    for (std::size_t i = 0; i < all.size(); ++i)
        out << "    {" << cppLiteral(all[i].tag) << ", " << names[i] << "},\n";
    out << "};\n\n} // namespace\n\nstd::span<const Catalog> All()\n{\n    return kAll;\n}\n\n"
           "} // namespace vesk::language::catalogs\n";
    return out.str();
}

// NSIS's name of each language, and of English, which comes first: NSIS
// takes it where the user's language is none of those given.
const std::map<std::string, std::string> kNsisLanguages = {
    {"de", "German"},         {"es", "Spanish"}, {"fr", "French"},    {"it", "Italian"},
    {"ja", "Japanese"},       {"nl", "Dutch"},   {"pl", "Polish"},    {"pt_BR", "PortugueseBR"},
    {"ru", "Russian"},        {"tr", "Turkish"}, {"uk", "Ukrainian"}, {"zh_CN", "SimpChinese"},
    {"zh_TW", "TradChinese"}, {"ko", "Korean"},  {"sv", "Swedish"},   {"cs", "Czech"}};

std::string nsis(const std::vector<Catalog>& all)
{
    std::ostringstream out;
    out << "; Written by make_catalogs from po/.\n"
           "LoadLanguageFile \"${NSISDIR}\\Contrib\\Language files\\English.nlf\"\n";
    std::vector<std::pair<std::string, const Catalog*>> languages{{"ENGLISH", nullptr}};
    for (const Catalog& c : all) {
        const auto found = kNsisLanguages.find(c.tag);
        if (found == kNsisLanguages.end())
            fail("no NSIS language for " + c.tag);
        out << "LoadLanguageFile \"${NSISDIR}\\Contrib\\Language files\\" << found->second
            << ".nlf\"\n";
        std::string upper = found->second;
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        languages.emplace_back(upper, &c);
    }
    for (const vesk::installer::Message& m : vesk::installer::kMessages)
        for (const auto& [name, catalog] : languages)
            out << "LangString " << m.name << " ${LANG_" << name << "} "
                << nsisLiteral(catalog != nullptr
                                   ? textOf(*catalog, vesk::language::kInstaller, m.english)
                                   : m.english)
                << "\n";
    return out.str();
}

std::string js(const std::vector<Catalog>& all, const std::string& context)
{
    // Every language's English, once: the key each text stands at.
    std::vector<std::string> english;
    for (const Catalog& c : all)
        for (const Entry& e : c.entries)
            if (e.context == context)
                english.push_back(e.english);
    std::sort(english.begin(), english.end());
    english.erase(std::unique(english.begin(), english.end()), english.end());
    std::ostringstream out;
    out << "// Written by make_catalogs from po/: the page's own messages.\n"
           "const PAGE_ENGLISH = [";
    for (const std::string& e : english)
        out << "\n  " << jsLiteral(e) << ",";
    out << "\n];\nconst PAGE_TEXTS = {";
    for (const Catalog& c : all) {
        out << "\n  " << jsLiteral(c.tag) << ": [";
        for (const std::string& e : english) {
            const auto found =
                std::find_if(c.entries.begin(), c.entries.end(), [&](const Entry& x) {
                    return x.context == context && x.english == e;
                });
            out << "\n    " << jsLiteral(found != c.entries.end() ? found->text : std::string())
                << ",";
        }
        out << "\n  ],";
    }
    out << "\n};\n";
    return out.str();
}

void write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    if (!out.write(text.data(), std::streamsize(text.size())) || !out.flush())
        fail("could not write " + path);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 2 ? argv[1] : "";
    if (what == "--cpp" && argc >= 4)
        write(argv[2], cpp(readAll(4, argc, argv), argv[3]));
    else if (what == "--nsis")
        write(argv[2], nsis(readAll(3, argc, argv)));
    else if (what == "--js" && argc >= 4)
        write(argv[2], js(readAll(4, argc, argv), argv[3]));
    else
        fail("usage: make_catalogs --cpp OUT CONTEXTS TAG=MO... | --nsis OUT TAG=MO... | --js OUT "
             "CONTEXT TAG=MO...");
    return 0;
}
