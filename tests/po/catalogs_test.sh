#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Every catalog of po/LINGUAS is complete for the texts the sources hold now:
# msgfmt checks it (formats, one access key to a text) and finds nothing
# untranslated or fuzzy, and msgcmp finds every text that xgettext extracts
# from the sources, the menu entry and the metadata in it. A catalog on disk
# but not listed, or listed but missing, fails too.
# Usage: catalogs_test.sh SOURCE_DIR
set -uo pipefail
source=$1
. "$source/tests/checks.sh"
for tool in msgfmt msgcmp xgettext; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$source"
options=(--from-code=UTF-8 --add-comments=TRANSLATORS: -o "$work/vesk.pot")
xgettext "${options[@]}" --keyword= --keyword=NC_:1c,2 --keyword=tr:1c,2 --files-from=po/POTFILES.in &&
    xgettext "${options[@]}" --join-existing -L Desktop packaging/org.veskcalculator.Vesk.desktop &&
    xgettext "${options[@]}" --join-existing --its=/usr/share/gettext/its/metainfo.its \
        packaging/org.veskcalculator.Vesk.metainfo.xml.in ||
    { echo "xgettext failed"; exit 1; }
listed=$(sed 's/#.*//' po/LINGUAS | xargs -n1 | sort)
on_disk=$(ls po/*.po | xargs -n1 basename | sed 's/\.po$//' | sort)
check "po/LINGUAS lists every catalog of po/, and no other" [ "$listed" = "$on_disk" ]
for tag in $listed; do
    statistics=$(msgfmt --check --check-accelerators='&' --statistics -o /dev/null "po/$tag.po" 2>&1)
    check "$tag: checked by msgfmt, every text translated ($statistics)" \
        bash -c "[[ '$statistics' =~ ^[0-9]+' translated messages.'$ ]]"
    check "$tag: every text of the sources in it" msgcmp --use-untranslated "po/$tag.po" "$work/vesk.pot"
done
summary
