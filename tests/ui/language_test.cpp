// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The language chosen from what the user's system says, and the catalogs as
// the program carries them: every window text of every shipped language,
// with the access keys each window needs.
#include "app/about_layout.h"
#include "tests/model/row_name.h"
#include "ui/caption.h"
#include "ui/language.h"
#include "ui/main_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vesk;

// A POSIX system's environment, and the language gettext would take.
struct PosixRow {
    const char* name;
    std::map<std::string, std::string> environment;
    const char* language;
};

const PosixRow kPosix[] = {
    {"nothing_set", {}, "en"},
    {"lang", {{"LANG", "de_DE.UTF-8"}}, "de"},
    {"lang_region_not_shipped", {{"LANG", "de_AT.UTF-8"}}, "de"},
    {"lc_all_over_lang", {{"LC_ALL", "fr_FR.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "fr"},
    {"lc_messages_over_lang", {{"LC_MESSAGES", "nl_NL.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "nl"},
    {"language_first", {{"LANGUAGE", "ja"}, {"LANG", "de_DE.UTF-8"}}, "ja"},
    {"language_list", {{"LANGUAGE", "xx:eo:uk"}, {"LANG", "de_DE.UTF-8"}}, "uk"},
    {"pt_br_before_pt", {{"LANGUAGE", "pt_BR:pt"}, {"LANG", "pt_BR.UTF-8"}}, "pt_BR"},
    {"language_ignored_in_c", {{"LANGUAGE", "de"}, {"LC_ALL", "C"}}, "en"},
    {"language_ignored_in_posix", {{"LANGUAGE", "de"}, {"LANG", "POSIX"}}, "en"},
    {"language_ignored_in_c_utf8", {{"LANGUAGE", "de"}, {"LC_ALL", "C.UTF-8"}}, "en"},
    {"language_ignored_without_locale", {{"LANGUAGE", "de"}}, "en"},
    {"english_before_others", {{"LANGUAGE", "en_GB:de"}, {"LANG", "en_GB.UTF-8"}}, "en"},
    {"modifier_and_codeset", {{"LANG", "ru_RU.KOI8-R@collation"}}, "ru"},
    {"empty_lc_all_passed_over", {{"LC_ALL", ""}, {"LANG", "tr_TR.UTF-8"}}, "tr"},
    {"region_not_shipped_no_fallback", {{"LANG", "pt_PT.UTF-8"}}, "en"},
    {"chinese_without_region", {{"LANGUAGE", "zh"}, {"LANG", "zh_CN.UTF-8"}}, "zh_CN"},
};

struct Posix : testing::TestWithParam<PosixRow> {};

const std::map<std::string, std::string>* environment = nullptr;

TEST_P(Posix, ChoosesAsGettextDoes)
{
    environment = &GetParam().environment;
    const std::vector<std::string> preferences =
        language::PosixPreferences([](const char* name) -> const char* {
            const auto found = environment->find(name);
            return found != environment->end() ? found->second.c_str() : nullptr;
        });
    EXPECT_EQ(language::Choose(preferences), GetParam().language);
}
INSTANTIATE_TEST_SUITE_P(Language, Posix, testing::ValuesIn(kPosix), RowName());

// The user's languages as Windows and the browsers give them.
struct TagRow {
    const char* name;
    std::vector<std::string> preferences;
    const char* language;
};

const TagRow kTags[] = {
    {"none", {}, "en"},
    {"german", {"de-DE"}, "de"},
    {"brazil", {"pt-BR", "en-US"}, "pt_BR"},
    {"first_shipped_wins", {"eo", "fr-CA", "de"}, "fr"},
    {"english_first", {"en-US", "de-DE"}, "en"},
    {"script_subtag", {"zh-Hans-CN"}, "zh_CN"},
    {"traditional_chinese_not_shipped", {"zh-TW"}, "en"},
    {"lower_case_region", {"pt-br"}, "pt_BR"},
    {"japanese", {"ja"}, "ja"},
};

struct Tags : testing::TestWithParam<TagRow> {};
TEST_P(Tags, TakeTheFirstShipped)
{
    EXPECT_EQ(language::Choose(GetParam().preferences), GetParam().language);
}
INSTANTIATE_TEST_SUITE_P(Language, Tags, testing::ValuesIn(kTags), RowName());

// Every shipped language has every text of both windows, or it would show
// them in English; each window's access keys are letters, one to a button,
// and differ.
struct Catalog : testing::TestWithParam<std::string> {
    void TearDown() override { language::Use(language::kEnglish); }
};

void expectKeys(const char* window, std::span<const layout::Control> controls,
                const layout::Window& table)
{
    std::set<std::string> keys;
    for (const layout::Control& c : controls) {
        if (c.kind != layout::Kind::Button)
            continue;
        const std::string text = language::Text(table.texts, c.text);
        EXPECT_NE(std::string_view(text), std::string_view(c.text) == "&OK" ? "" : c.text)
            << window << ' ' << c.name << " is not translated";
        const Caption caption = SplitCaption(text);
        ASSERT_FALSE(caption.key.empty()) << window << ' ' << c.name << ": no access key";
        EXPECT_EQ(std::count(text.begin(), text.end(), '&'), 1) << text;
        const bool ascii = caption.key.size() == 1;
        EXPECT_TRUE(!ascii || std::isalpha(static_cast<unsigned char>(caption.key[0])))
            << text << ": the key is no letter";
        std::string key = caption.key;
        if (ascii)
            key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
        EXPECT_TRUE(keys.insert(key).second) << window << ": the key of " << text << " is taken";
    }
}

TEST_P(Catalog, HasEveryWindowTextAndItsKeys)
{
    language::Use(GetParam());
    ASSERT_EQ(language::InUse(), GetParam());
    // Texts the same in a language as in English are allowed (a name, "OK").
    for (const char* english :
         {"Multiple of c", "Vesk factor", "Vesk factor in thousandths", "Metres per second",
          "Method", main_layout::kMethodWords[0], main_layout::kMethodWords[1]})
        EXPECT_STRNE(language::Text(language::kMainWindow, english), english) << english;
    EXPECT_STRNE(language::Text(language::kAboutWindow, about_layout::kWindow.caption),
                 about_layout::kWindow.caption);
    EXPECT_STRNE(language::Text(language::kAboutWindow, about_layout::kProductName),
                 about_layout::kProductName);
    expectKeys("main window", main_layout::kControls, main_layout::kWindow);
    expectKeys("About window", about_layout::kControls, about_layout::kWindow);
    // The caption a later copy finds the running one by.
    EXPECT_STREQ(language::Text(language::kMainWindow, main_layout::kWindow.caption), "Vesk");
}

std::vector<std::string> shipped()
{
    std::vector<std::string> tags;
    for (const std::string_view tag : language::Shipped())
        if (tag != language::kEnglish)
            tags.emplace_back(tag);
    return tags;
}

INSTANTIATE_TEST_SUITE_P(Language, Catalog, testing::ValuesIn(shipped()),
                         [](const auto& row) { return row.param; });

TEST(Language, TwelveOrMoreShippedOneCyrillicOneCjk)
{
    const std::vector<std::string> tags = shipped();
    EXPECT_GE(tags.size(), 12u);
    const auto has = [&](const char* tag) {
        return std::find(tags.begin(), tags.end(), tag) != tags.end();
    };
    EXPECT_TRUE(has("ru") || has("uk"));
    EXPECT_TRUE(has("ja") || has("zh_CN"));
}

TEST(Language, UnknownTagsAndTextsStayEnglish)
{
    language::Use("xx");
    EXPECT_EQ(language::InUse(), "en");
    language::Use("de");
    EXPECT_STREQ(language::Text(language::kMainWindow, "no such text"), "no such text");
    EXPECT_STREQ(language::Text("no such place", "E&xit"), "E&xit");
    language::Use(language::kEnglish);
    EXPECT_STREQ(language::Text(language::kMainWindow, "E&xit"), "E&xit");
}

TEST(Language, FillsItsPlaceholder)
{
    EXPECT_EQ(language::Fill("cannot open a window: %s", "no display"),
              "cannot open a window: no display");
    EXPECT_EQ(language::Fill("no placeholder", "x"), "no placeholder");
}

} // namespace
