// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
/*
** report_buffer.h: the size of the local buffer in which a routine of the
** package formats its report before handing it to standard output.  The
** tests include it too, to probe reports on either side of the size.
*/
#ifndef MORVELIN_REPORT_BUFFER_H
#define MORVELIN_REPORT_BUFFER_H

#include <cstddef>

namespace morvelin {

/* A report of up to report_buffer_size - 1 characters, with its NUL, is
   formatted here; a longer one is printed straight from its arguments. */
constexpr std::size_t report_buffer_size = 512;

} // namespace morvelin

#endif
