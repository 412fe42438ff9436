// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Start-up, the hand-over to a running copy, the About button and the end, in
// their order, with no toolkit: what each step does on a system is the
// Platform's.
#pragma once

#include "ui/frmMain.h"

#include <string_view>

namespace vesk {

// A place on the screen, in the platform's own pixels.
struct Place {
    int x, y;
    friend constexpr bool operator==(const Place&, const Place&) = default;
};

// What the application asks of the system it runs on.
class Platform {
  public:
    // The previous-instance query: true when another copy runs. When it
    // answers false, this copy is the running one from then on. Asked again,
    // it gives the same answer.
    virtual bool PreviousInstance() = 0;
    virtual void SetMainCaption(std::string_view caption) = 0;
    // Finds the running copy's top-level window with this caption and
    // restores it (show command 9), bringing it to the front. Silent and
    // bounded in time, whatever happens.
    virtual void RestoreWindow(std::string_view caption) = 0;
    // Unloads the main window, which runs its Form_Unload.
    virtual void UnloadMain() = 0;
    // The About window: created hidden; whether it exists (its close box
    // destroys it); placed; shown modally, returning once it is hidden or gone.
    virtual void LoadAbout() = 0;
    virtual bool AboutLoaded() const = 0;
    // Where the main window's outer top-left corner is now, and the About
    // window's is to go.
    virtual Place MainPlace() const = 0;
    virtual void MoveAbout(Place place) = 0;
    virtual void ShowAboutModal() = 0;
    // Ends the program at once: nothing to save, nothing asked.
    virtual void End() = 0;

  protected:
    ~Platform() = default;
};

class Application : public Shell {
  public:
    explicit Application(Platform& platform) : platform_(platform) {}

    // Form_Load: in a later copy, renames its own window, restores the running
    // copy's and ends; in the first, loads the About window hidden. Nothing
    // is computed.
    void load() override;
    // Form_Unload and the exit button: the program ends, without asking.
    void unload() override;
    void exitClicked() override;
    // Shows the About window modally with its top-left corner on the main
    // window's, creating it anew if the user closed it.
    void aboutClicked() override;

    bool ended() const { return ended_; }

    static constexpr std::string_view kCaption = main_layout::kWindow.caption;
    static constexpr std::string_view kLeavingCaption = "bye bye";

  private:
    void end();

    Platform& platform_;
    bool ended_ = false;
};

} // namespace vesk
