// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Start-up, the hand-over, the end and the About button: what the application
// asks of the platform, in its order.
#include "app/about_layout.h"
#include "app/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace vesk;

// Notes every step it is asked for, with the main window's caption then.
struct FakePlatform : Platform {
    explicit FakePlatform(bool previous) : running(previous) {}

    bool PreviousInstance() override
    {
        log.push_back("query");
        return running;
    }
    void SetMainCaption(std::string_view c) override { caption = c; }
    void RestoreWindow(std::string_view c) override
    {
        log.push_back("restore " + std::string(c) + " as '" + caption + "'");
    }
    void UnloadMain() override
    {
        log.push_back("unload");
        app->unload();
    }
    void LoadAbout() override
    {
        log.push_back("load About");
        about = true;
    }
    bool AboutLoaded() const override { return about; }
    Place MainPlace() const override { return main; }
    void MoveAbout(Place p) override
    {
        log.push_back("move About to " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void ShowAboutModal() override { log.push_back("show About modally"); }
    void End() override { log.push_back("end"); }

    bool running;
    bool about = false;
    std::string caption = "Vesk";
    Place main{134, 230};
    Application* app = nullptr;
    std::vector<std::string> log;
};

struct Started {
    explicit Started(bool running) : platform(running), app(platform) { platform.app = &app; }
    FakePlatform platform;
    Application app;
};

using Log = std::vector<std::string>;

TEST(ApplicationTest, FirstCopyLoadsAboutHiddenAndComputesNothing)
{
    Started s(false);
    s.app.load();
    EXPECT_EQ(s.platform.log, Log({"query", "load About"}));
    EXPECT_FALSE(s.app.ended());
}

TEST(ApplicationTest, LaterCopyRenamesItselfRestoresTheRunningOneAndEnds)
{
    Started s(true);
    s.app.load();
    EXPECT_EQ(s.platform.log, Log({"query", "restore Vesk as 'bye bye'", "unload", "end"}));
    EXPECT_TRUE(s.app.ended());
}

TEST(ApplicationTest, ExitAndUnloadEndOnce)
{
    Started s(false);
    s.app.load();
    s.app.exitClicked();
    s.app.unload(); // the window closing as the program ends
    EXPECT_EQ(s.platform.log, Log({"query", "load About", "end"}));
}

TEST(ApplicationTest, AboutOpensAtTheMainWindowWhereverItIsAndIsMadeAnewWhenGone)
{
    Started s(false);
    s.app.load();
    s.platform.main = {300, 200};
    s.app.aboutClicked();
    s.platform.about = false; // its close box destroyed it
    s.platform.main = {10, 20};
    s.app.aboutClicked();
    EXPECT_EQ(s.platform.log,
              Log({"query", "load About", "move About to 300,200", "show About modally",
                   "load About", "move About to 10,20", "show About modally"}));
}

TEST(ApplicationTest, AboutTitleLineCarriesTheVersionAsMajorDotMinor)
{
    EXPECT_EQ(about_layout::TitleLine(), "Vesk Calculator 1.1");
}

} // namespace
