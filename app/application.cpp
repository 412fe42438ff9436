// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/application.h"

namespace vesk {

void Application::load()
{
    if (platform_.PreviousInstance()) {
        // Renamed first, so that no search for the caption finds this copy.
        platform_.SetMainCaption(kLeavingCaption);
        platform_.RestoreWindow(kCaption);
        platform_.UnloadMain(); // runs Form_Unload, which ends the program
        return;
    }
    platform_.LoadAbout();
}

void Application::unload()
{
    end();
}

void Application::exitClicked()
{
    end();
}

void Application::aboutClicked()
{
    if (!platform_.AboutLoaded())
        platform_.LoadAbout();
    platform_.MoveAbout(platform_.MainPlace());
    platform_.ShowAboutModal();
}

void Application::end()
{
    if (ended_)
        return;
    ended_ = true;
    platform_.End();
}

} // namespace vesk
