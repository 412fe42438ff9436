// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Start-up, the hand-over to a running copy, the About button and the end.
#pragma once

#include "app/frmAbout.h"
#include "ui/frmMain.h"

#include <QPointer>

#include <functional>

namespace vesk {

class InstanceGuard;

class AppShell : public Shell {
  public:
    // `endProgram` ends the process's work at once; the default leaves the
    // event loop (or keeps it from starting).
    explicit AppShell(InstanceGuard& guard, std::function<void()> endProgram = {});
    ~AppShell() override;

    // Form_Load: in a second copy, hands over and ends; in the first, loads
    // the About window hidden. Nothing is computed.
    void load(frmMain& form) override;
    // Form_Unload and the exit button: the program ends, without asking.
    void unload(frmMain& form) override;
    void exitClicked(frmMain& form) override;
    // Shows the About window modally with its top-left corner on the main
    // window's, creating it anew if the user closed it.
    void aboutClicked(frmMain& form) override;

    // A later copy's request to restore the window with this caption. Only the
    // main window can be restored (the About window shows only through its
    // button, and comes back with the main window); true when it was.
    bool restore(const QString& caption, const QByteArray& launchToken);

    bool ended() const { return ended_; }
    frmAbout* about() const { return about_.data(); }

    static constexpr char kCaption[] = "Vesk";
    static constexpr char kLeavingCaption[] = "bye bye";

  private:
    void end();

    InstanceGuard& guard_;
    std::function<void()> endProgram_;
    frmMain* form_ = nullptr;
    QPointer<frmAbout> about_;
    bool ended_ = false;
};

} // namespace vesk
