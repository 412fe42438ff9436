// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The translations a program carries: written by po/make_catalogs from the
// catalogs of po/, for each program with the places it shows (its contexts),
// and linked into it. Each language's entries are sorted by context, then
// by English, for language.cpp to search.
#pragma once

#include <cstddef>
#include <span>

namespace vesk::language::catalogs {

struct Entry {
    const char* context;
    const char* english;
    const char* text;
};

struct Catalog {
    const char* tag; // "de", "pt_BR"
    std::span<const Entry> entries;
};

std::span<const Catalog> All();

} // namespace vesk::language::catalogs
