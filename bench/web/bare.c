// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The bare page's WebAssembly: one function, the label's number.
__attribute__((export_name("label"))) int label(void)
{
    return 42;
}
