// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Little-endian integers into a byte array, for the picture files the asset
// tools write (BMP and ICO headers).
#pragma once

#include <QByteArray>

#include <cstdint>

inline void put16(QByteArray& out, std::uint32_t v)
{
    out.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

inline void put32(QByteArray& out, std::uint64_t v)
{
    put16(out, std::uint32_t(v & 0xffff));
    put16(out, std::uint32_t((v >> 16) & 0xffff));
}
