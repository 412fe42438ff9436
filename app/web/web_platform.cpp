// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/web/web_platform.h"

#include "ui/web/main_window.h"

namespace vesk::web {

// Whenever the page is laid out anew the main window may have moved: an open
// About window goes with it. (A scroll of the page moves both alike.)
WebPlatform::WebPlatform()
{
    onPageLaidOut([this] {
        if (about_ != nullptr && main_ != nullptr)
            MoveAbout(MainPlace());
    });
}

void WebPlatform::LoadAbout()
{
    about_ = std::make_unique<AboutWindow>([this] { about_.reset(); });
}

Place WebPlatform::MainPlace() const
{
    return {main_->form().left(), main_->form().top()};
}

void WebPlatform::MoveAbout(Place place)
{
    about_->form().move(place.x, place.y);
}

void WebPlatform::ShowAboutModal()
{
    about_->form().showModal();
}

void WebPlatform::End()
{
    endPage();
}

} // namespace vesk::web
