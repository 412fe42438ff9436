# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# What the installer (vesk.nsi) and the uninstaller (uninstall.cpp) both know,
# in one place: written out for each as ${OUT}/installer_facts.nsh (defines)
# and ${OUT}/installer_facts.h (constants). Their messages, in every
# language, are installer_texts.h's.
# Each fact is ${Name} to NSIS and kName to C++.
set(facts
    UninstallKey "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${VESK_APP_ID}"
    # The entry's own values that the uninstaller reads back.
    LocationValue "InstallLocation"
    MadeFolderValue "MadeFolder"
    ProgramFile "vesk.exe"
    UninstallerFile "uninstall.exe"
    ShortcutFile "${PROJECT_DESCRIPTION}.lnk"
    Publisher "Quarvane")

set(nsh "; Written by facts.cmake.\n")
set(header "// Written by facts.cmake.\n#pragma once\n\nnamespace vesk::installer {\n\n")
list(LENGTH facts count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET facts ${i} name)
    list(GET facts ${j} value)
    # NSIS: $\r$\n and $\" ; C++: \r\n and \" in a wide literal.
    string(REPLACE "\"" "$\\\"" for_nsis "${value}")
    string(REPLACE "\n" "$\\r$\\n" for_nsis "${for_nsis}")
    string(REPLACE "\\" "\\\\" for_cpp "${value}")
    string(REPLACE "\"" "\\\"" for_cpp "${for_cpp}")
    string(REPLACE "\n" "\\r\\n" for_cpp "${for_cpp}")
    string(APPEND nsh "!define ${name} \"${for_nsis}\"\n")
    string(APPEND header "inline constexpr wchar_t k${name}[] = L\"${for_cpp}\";\n")
endforeach()
string(APPEND header "\n} // namespace vesk::installer\n")
file(WRITE ${OUT}/installer_facts.nsh.new "${nsh}")
file(WRITE ${OUT}/installer_facts.h.new "${header}")
foreach(file installer_facts.nsh installer_facts.h)
    configure_file(${OUT}/${file}.new ${OUT}/${file} COPYONLY)
endforeach()
