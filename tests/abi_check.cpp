// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
// Compiled, not run: fails to compile unless the package's own declarations
// of the interpreter interface agree with the interpreter's rexxsaa.h.
#define INCL_REXXSAA
#include <rexxsaa.h>

#include <cstddef>
#include <stdint.h>
#include <type_traits>

// Ours in a namespace of their own, beside the interpreter's.  The two
// services have C linkage, so each pair of declarations names one function:
// the compiler rejects them unless their types are the same.
namespace ours {
#include <rexx_host.h>
}

static_assert(sizeof(ours::RXSTRING) == sizeof(RXSTRING));
static_assert(alignof(ours::RXSTRING) == alignof(RXSTRING));
static_assert(offsetof(ours::RXSTRING, strlength) ==
              offsetof(RXSTRING, strlength));
static_assert(offsetof(ours::RXSTRING, strptr) == offsetof(RXSTRING, strptr));
static_assert(std::is_same_v<decltype(ours::RXSTRING::strlength),
                             decltype(RXSTRING::strlength)>);
static_assert(std::is_same_v<decltype(ours::RXSTRING::strptr),
                             decltype(RXSTRING::strptr)>);
static_assert(ours::REXX_RESULT_BUFFER_SIZE == RXAUTOBUFLEN);

// The routine shape, with our RXSTRING taken for the interpreter's, is the
// interpreter's function-handler type exactly.
template <class T> struct as_host {
  using type = T;
};
template <> struct as_host<ours::RXSTRING *> {
  using type = RXSTRING *;
};
template <class R, class... A> struct as_host<R(A...)> {
  using type = typename as_host<R>::type(typename as_host<A>::type...);
};
static_assert(
    std::is_same_v<as_host<ours::RexxRoutine>::type, RexxFunctionHandler>);

static_assert(std::is_same_v<decltype(ours::RexxRegisterFunctionDll),
                             decltype(RexxRegisterFunctionDll)>);
static_assert(std::is_same_v<decltype(ours::RexxDeregisterFunction),
                             decltype(RexxDeregisterFunction)>);
static_assert(std::is_same_v<ours::RexxCode, APIRET>);
