// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Little-endian integers onto a byte string, for the picture files the asset
// tools write (BMP and ICO headers).
#pragma once

#include <cstdint>

template <class Bytes> void put16(Bytes& out, std::uint32_t v)
{
    out.push_back(char(v & 0xff));
    out.push_back(char((v >> 8) & 0xff));
}

template <class Bytes> void put32(Bytes& out, std::uint64_t v)
{
    put16(out, std::uint32_t(v & 0xffff));
    put16(out, std::uint32_t((v >> 16) & 0xffff));
}
