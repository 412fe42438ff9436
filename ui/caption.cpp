// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/caption.h"

namespace vesk {
namespace {

// The bytes of the UTF-8 character that starts at `at`.
std::size_t characterLength(std::string_view text, std::size_t at)
{
    std::size_t n = 1;
    while (at + n < text.size() && (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

} // namespace

Caption SplitCaption(std::string_view caption)
{
    Caption split;
    std::string* out = &split.before;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out->push_back(caption[i]);
            continue;
        }
        if (++i == caption.size())
            break; // a lone mark at the end
        if (caption[i] == '&') {
            out->push_back('&');
            continue;
        }
        const std::size_t n = characterLength(caption, i);
        if (out == &split.before) {
            split.key = caption.substr(i, n);
            out = &split.after;
        } else {
            out->append(caption.substr(i, n));
        }
        i += n - 1;
    }
    return split;
}

} // namespace vesk
