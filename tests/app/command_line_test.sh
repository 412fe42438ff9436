#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The program at the command line, with no display at all: each row runs it
# with its arguments (and, where it says, in a language) and checks the exit
# status, standard output and standard error exactly. Then the options the
# manual page lists and those --help lists are the same set.
# Usage: command_line_test.sh PATH/TO/vesk PATH/TO/vesk.1 PATH/TO/po/LINGUAS
set -uo pipefail
vesk=$1
manual=$2
linguas=$3
. "$(dirname "$0")/../checks.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM LANGUAGE LC_MESSAGES LANG
export LC_ALL=C.UTF-8
tab=$'\t'
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

row() { # row NAME STATUS STDOUT STDERR -- ARGUMENTS...
    local name=$1 status=$2 want_out=$3 want_err=$4
    shift 5
    timeout 10 "$vesk" "$@" >"$out" 2>"$err"
    local got=$?
    check "$name: status $status" [ "$got" = "$status" ]
    check "$name: standard output" [ "$(cat "$out")" = "$want_out" ]
    check "$name: standard error" [ "$(cat "$err")" = "$want_err" ]
}

version=$'vesk 1.01\nCopyright (C) 1997 Quarvane\nLicence: MIT'
row "factors" 0 "9.5${tab}1,842.28${tab}552,300,155,500${tab}Interpolated
9.0005${tab}1,516.79${tab}454,721,628,256${tab}Interpolated
0${tab}0.00${tab}${tab}Established
9.9999${tab}199,516.46${tab}59,813,529,670,512${tab}Interpolated
0${tab}0.00${tab}${tab}Established" "" -- 9.5 9.0005 -3 12abc 0
row "after --, a factor" 0 "0${tab}0.00${tab}${tab}Established" "" -- -- -3
row "--version" 0 "$version" "" -- --version
row "an unknown option" 2 "" "vesk: unknown option '--bogus'; see 'vesk --help'" -- --bogus
row "an unknown short option" 2 "" "vesk: unknown option '-q'; see 'vesk --help'" -- -q 5
row "the toolkit's options with factors" 0 "1${tab}1.00${tab}299,792,458${tab}Established" "" \
    -- -display :5 1
# A number typed on another keyboard reads as the ASCII one it stands for;
# the first column keeps what was typed.
row "numbers from other keyboards" 0 "９.５${tab}1,842.28${tab}552,300,155,500${tab}Interpolated
٩٫٥${tab}1,842.28${tab}552,300,155,500${tab}Interpolated
०.५${tab}0.10${tab}29,742,974${tab}Established
0${tab}0.00${tab}${tab}Established
 9.5${tab}1,842.28${tab}552,300,155,500${tab}Interpolated" "" -- ９.５ ٩٫٥ ०.५ −5 " 9.5"

# In the user's language, chosen as gettext chooses it; the factor lines the
# same in every one, for other programs to read.
LC_ALL= LANGUAGE=de LANG=de_DE.UTF-8 row "in German: an unknown option" 2 "" \
    "vesk: unbekannte Option »--bogus«; siehe »vesk --help«" -- --bogus
LC_ALL= LANGUAGE=de LANG=de_DE.UTF-8 row "in German: the factor lines as in English" 0 \
    "9.5${tab}1,842.28${tab}552,300,155,500${tab}Interpolated" "" -- 9.5
LC_ALL=C LANGUAGE=de row "LANGUAGE with the C locale: English" 2 "" \
    "vesk: unknown option '--bogus'; see 'vesk --help'" -- --bogus
LC_ALL= LANGUAGE=pt_BR:pt LANG=pt_BR.UTF-8 row "pt_BR before pt" 0 "vesk 1.01
Copyright (C) 1997 Quarvane
Licença: MIT" "" -- --version
LC_ALL= LANG=fr_CA.UTF-8 row "a region not shipped: its language" 0 "vesk 1.01
Copyright (C) 1997 Quarvane
Licence : MIT" "" -- --version
english_help=$("$vesk" --help)
for tag in $(sed 's/#.*//' "$linguas"); do
    help=$(LC_ALL= LANGUAGE=$tag LANG=$tag.UTF-8 "$vesk" --help)
    check "--help in $tag: translated, with the example line as it is" \
        [ "$help" != "$english_help" -a "$(tail -n 1 <<<"$help")" = "9.5${tab}1,842.28${tab}552,300,155,500${tab}Interpolated" ]
done
"$vesk" --help >"$out" 2>"$err"
check "--help: status 0, on standard output only" [ $? = 0 -a -s "$out" -a ! -s "$err" ]
check "-h is --help" cmp -s "$out" <("$vesk" -h)
check "--help shows the example line" grep -qx "9.5${tab}1,842.28${tab}552,300,155,500${tab}Interpolated" "$out"

# The options each documents: in --help, the words that begin with a dash at
# the start of an option line; in the manual page, those of the OPTIONS section.
help_options=$(sed -n 's/^  *\(-[-a-z]*\)\(, *\(--[a-z]*\)\)\?.*/\1 \3/p' "$out" | tr ' ' '\n' | grep . | sort -u)
man_options=$(sed -n '/^\.SH OPTIONS/,/^\.SH/p' "$manual" | grep -A1 '^\.TP' | grep -o '\\-\\-[a-z]*\|\\-[a-z]\|\\-\\-' |
    sed 's/\\//g' | sort -u)
check "the manual page and --help list the same options ($(echo $help_options))" \
    [ "$help_options" = "$man_options" ]
summary
