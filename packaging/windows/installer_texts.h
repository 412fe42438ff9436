// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The messages of the installer and the uninstaller, in English as written;
// each has a name, by which the installer (vesk.nsi) shows it as NSIS's
// LangString of that name, which make_catalogs writes for every language,
// and the uninstaller looks it up in the catalogs it carries.
#pragma once

#include "ui/language.h"

namespace vesk::installer {

struct Message {
    const char* name;
    const char* english;
};

using language::NC_;

// Each in a message box titled "Vesk Calculator Uninstall" (or the
// installer's own title), as wide as the message needs.
inline constexpr Message kMessages[] = {
    // TRANSLATORS: the title of the uninstaller's message boxes.
    {"Title", NC_("installer", "Vesk Calculator Uninstall")},
    // TRANSLATORS: asks the user to close the running program; a Retry and a
    // Cancel button follow.
    {"Running", NC_("installer", "Vesk Calculator is running.\n\nClose it, then choose Retry.")},
    {"NotReplaced",
     // TRANSLATORS: follows a file's path on a line of its own.
     NC_("installer",
         "could not be replaced: it is in use. Close what uses it, then choose Retry.")},
    {"NotRemoved",
     // TRANSLATORS: follows a file's or a folder's path on a line of its own.
     NC_("installer",
         "could not be removed: it is in use. Close what uses it, then choose Retry.")},
    // TRANSLATORS: follows a folder's path on a line of its own.
    {"NoInstallation", NC_("installer", "holds no installation of Vesk Calculator.")},
    {"Confirm",
     // TRANSLATORS: the uninstaller's question; the folder's path follows on a
     // line of its own; OK and Cancel buttons follow.
     NC_("installer", "Remove Vesk Calculator from this computer?\n\nIt is installed in")},
    {"EntryNotRemoved", NC_("installer", "The Add/Remove Programs entry could not be removed.")},
    {"Removed", NC_("installer", "Vesk Calculator has been removed from this computer.")},
    {"NotCopied", NC_("installer", "The uninstaller could not be copied to the temporary folder.")},
    {"CopyNotStarted", NC_("installer", "The uninstaller's copy could not be started.")},
    // TRANSLATORS: the uninstaller, started while another is at work.
    {"Busy", NC_("installer", "Vesk Calculator is already being removed.")},
    {"NotOurs",
     // TRANSLATORS: the installer; follows a folder's path on a line of its own.
     NC_("installer", "holds files that are not Vesk Calculator's. Choose a new or empty folder.")},
    // TRANSLATORS: the installer; follows a folder's path on a line of its own.
    {"DriveRoot", NC_("installer", "is a whole drive. Choose a folder on it.")},
    {"TooLong",
     // TRANSLATORS: the installer; follows a folder's path on a line of its own.
     NC_("installer",
         "is too long a path for Windows to start programs from. Choose a shorter one.")},
    // TRANSLATORS: the installer; follows the folder of the copy already
    // installed, on a line of its own.
    {"OtherCopy", NC_("installer", "holds Vesk Calculator, which could not be removed. Remove it "
                                   "first, or install it there.")},
};

} // namespace vesk::installer
