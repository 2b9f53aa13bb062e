// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
// Compiled, not run: fails to compile unless the package's own declarations
// of the interpreter interface agree with the interpreter's rexxsaa.h.
#define INCL_REXXSAA
#define INCL_RXSHV
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

// Memory for replies: ours takes and gives the same types.  (PVOID and
// ULONG are void * and unsigned long.)
static_assert(std::is_same_v<decltype(ours::RexxAllocateMemory),
                             decltype(RexxAllocateMemory)>);
static_assert(
    std::is_same_v<decltype(ours::RexxFreeMemory), decltype(RexxFreeMemory)>);

// The variable pool's request block, member by member, and its codes.
#define SAME_MEMBER(member)                                                    \
  static_assert(offsetof(ours::SHVBLOCK, member) ==                            \
                offsetof(SHVBLOCK, member));                                   \
  static_assert(sizeof(ours::SHVBLOCK::member) == sizeof(SHVBLOCK::member))
SAME_MEMBER(shvnext);
SAME_MEMBER(shvname);
SAME_MEMBER(shvvalue);
SAME_MEMBER(shvnamelen);
SAME_MEMBER(shvvaluelen);
SAME_MEMBER(shvcode);
SAME_MEMBER(shvret);
static_assert(sizeof(ours::SHVBLOCK) == sizeof(SHVBLOCK));
static_assert(alignof(ours::SHVBLOCK) == alignof(SHVBLOCK));
static_assert(std::is_same_v<decltype(SHVBLOCK::shvcode),
                             decltype(ours::SHVBLOCK::shvcode)>);
static_assert(std::is_same_v<decltype(SHVBLOCK::shvnamelen),
                             decltype(ours::SHVBLOCK::shvnamelen)>);
static_assert(ours::REXX_SHV_SET == RXSHV_SET);
static_assert(ours::REXX_SHV_FETCH == RXSHV_FETCH);
static_assert(ours::REXX_SHV_OK == RXSHV_OK);
static_assert(ours::REXX_SHV_NEWV == RXSHV_NEWV);
static_assert(ours::REXX_SHV_BADN == RXSHV_BADN);
static_assert(ours::REXX_SHV_MEMFL == RXSHV_MEMFL);
static_assert(ours::REXX_SHV_BADF == RXSHV_BADF);
static_assert(ours::REXX_SHV_NOAVL == RXSHV_NOAVL);

// The pool takes a chain of ours where it takes a chain of the
// interpreter's.  (With C linkage, the two declarations name one function
// of two parameter types; the compiler lets that pass only because the
// interpreter's header is included as a system header, as it is from
// /usr/include, and the assertion compares the types instead.)
template <> struct as_host<ours::SHVBLOCK *> {
  using type = PSHVBLOCK;
};
static_assert(std::is_same_v<as_host<decltype(ours::RexxVariablePool)>::type,
                             decltype(RexxVariablePool)>);
