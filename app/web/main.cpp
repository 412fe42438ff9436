// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Starts the calculator as a web page: the main window is made hidden, its
// Form_Load runs, and only then is the window shown. The program then lives
// on, answering the page's events, after main() has returned.
#include "app/application.h"
#include "app/web/web_platform.h"
#include "ui/web/form.h"
#include "ui/web/main_window.h"

int main()
{
    vesk::web::useBrowsersLanguage();
    static vesk::web::WebPlatform platform;
    static vesk::Application application(platform);
    static vesk::web::MainWindow form(&application);
    platform.setMainWindow(form);
    form.handlers().Form_Load();
    if (!application.ended())
        form.form().show();
}
