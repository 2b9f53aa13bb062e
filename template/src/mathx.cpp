// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The mathx authors
/*
** mathx: a package of external functions for the Regina REXX interpreter.
**
** A REXX program loads it and then calls its routines by name:
**
**     call MathxLoadFuncs
**     say MathxReverse('stressed')          -- desserts
**     say MathxSplit('a b c', 'parts.')     -- 3, and parts.1 is a
**     say MathxJoin('parts.', '+')          -- a+b+c
**     call MathxDropFuncs
**
** Use this file as the start of your own package: replace the three
** example routines with yours, and list yours in the table at the end.
** Nothing here allocates through the C++ run time, so nothing can throw
** into the interpreter's C code: memory comes from RexxAllocateMemory.
*/
#include <rexx_host.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

// Every routine that the interpreter calls has the shape RexxRoutine (see
// rexx_host.h): a C function, so that its symbol is its plain name, and
// visible, since the build hides every symbol that is not marked so.
#define EXPORT extern "C" [[gnu::visibility("default")]]

EXPORT RexxRoutine MathxLoadFuncs;
EXPORT RexxRoutine MathxDropFuncs;
EXPORT RexxRoutine MathxReverse;
EXPORT RexxRoutine MathxSplit;
EXPORT RexxRoutine MathxJoin;

namespace {

// Makes room for a reply of `length` bytes and returns where to write it,
// or null, with the record left as it was, when there is no memory.  The
// interpreter lends a buffer of result->strlength bytes (256 in Regina 3.6
// and 3.9.5); a longer reply goes into a block from RexxAllocateMemory,
// and the interpreter frees that block once it has taken the value.
char *reply_space(RXSTRING *result, std::size_t length)
{
  char *space = result->strptr;
  if (length > result->strlength)
    space = static_cast<char *>(RexxAllocateMemory(length));
  if (space != nullptr)
    *result = {length, space};
  return space;
}

// A variable name of the calling REXX code: a stem, kept in capitals as
// the interpreter stores names, and a numeric tail, such as PARTS.12.
struct StemName {
  char text[1024 + 20];
  std::size_t stem_length = 0;

  // False for a stem without its final period, or of over 1,024 bytes.
  bool make(const RXSTRING &stem)
  {
    stem_length = stem.strlength;
    if (stem_length == 0 || stem_length > 1024 ||
        stem.strptr[stem_length - 1] != '.')
      return false;
    std::transform(stem.strptr, stem.strptr + stem_length, text,
                   [](unsigned char c) { return std::toupper(c); });
    return true;
  }
  // The name with the tail `n`, as a counted string.
  RXSTRING with(unsigned long n)
  {
    char *tail = text + stem_length;
    char *end = std::to_chars(tail, tail + 20, n).ptr;
    return {static_cast<unsigned long>(end - text), text};
  }
};

// One request to the variable pool of the calling REXX code: SET or FETCH
// `name` from or into `value`.  Returns the request's flags.
RexxCode variable(unsigned char code, RXSTRING name, RXSTRING &value)
{
  SHVBLOCK request{};
  request.shvname = name;
  request.shvvalue = value;
  request.shvcode = code;
  RexxCode flags = RexxVariablePool(&request);
  value = request.shvvalue;
  return flags;
}

// Sets the variable `name` to `value`.  False if the interpreter refused,
// such as for a name that is no variable's; a new variable is no failure.
bool set_variable(RXSTRING name, RXSTRING value)
{
  return (variable(REXX_SHV_SET, name, value) & ~REXX_SHV_NEWV) == 0;
}

// Fetches the variable `name` into `value`, in a block that the
// interpreter allocates (the request's value is null) and the caller gives
// back with RexxFreeMemory.  False, with nothing to give back, if the
// variable is unset (its value is then its own name) or refused.
bool fetch_variable(RXSTRING name, RXSTRING &value)
{
  value = {0, nullptr};
  if (variable(REXX_SHV_FETCH, name, value) == REXX_SHV_OK)
    return true;
  if (value.strptr != nullptr)
    RexxFreeMemory(value.strptr);
  return false;
}

// Reads the bytes from `at` to `end` as a count: a whole number of 0 or
// more as REXX writes one, digits with blanks around them, a plus sign and
// a point followed by zeros allowed (` 12 `, `+12`, `12.0`).  False for
// anything else, the exponent forms that REXX takes too (1E2) among them.
bool read_count(const char *at, const char *end, unsigned long &count)
{
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  at = std::find_if_not(at, end, blank);
  if (at != end && *at == '+')
    at = std::find_if_not(at + 1, end, blank);
  auto [stop, error] = std::from_chars(at, end, count);
  if (error != std::errc())
    return false;
  if (stop != end && *stop == '.')
    stop = std::find_if(stop + 1, end, [](char c) { return c != '0'; });
  return std::find_if_not(stop, end, blank) == end;
}

// Goes through stem.1 to stem.count, each fetched and given back, and adds
// their lengths and the separators' to `length`; with a `reply`, it also
// copies them there, joined.  False at an item that is unset.
bool join_items(StemName &name, unsigned long count, RXSTRING separator,
                std::size_t &length, char *reply)
{
  RXSTRING item;
  for (unsigned long i = 1; i <= count; ++i) {
    if (!fetch_variable(name.with(i), item))
      return false;
    std::size_t skip = i > 1 ? separator.strlength : 0;
    if (reply != nullptr) {
      std::copy_n(separator.strptr, skip, reply + length);
      std::copy_n(item.strptr, item.strlength, reply + length + skip);
    }
    length += skip + item.strlength;
    RexxFreeMemory(item.strptr);
  }
  return true;
}

// The characters that separate words for the interpreter's words() and
// word(): blank, tab, newline, vertical tab, form feed and carriage return.
bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

} // namespace

// MathxReverse(text): the text, last byte first.
//
// An argument is the bytes at strptr, strlength of them: the interpreter
// also puts a NUL after them, but the text may hold NULs of its own, so
// the length is what counts.  An argument left out in the middle of a
// call arrives with a null strptr; arguments left out at the end are not
// counted in argc.  Code 40 tells the interpreter that the call was
// incorrect: it raises REXX error 40 in the caller.
RexxCode MathxReverse(const char *, unsigned long argc, RXSTRING *argv,
                      const char *, RXSTRING *result)
{
  if (argc != 1 || argv[0].strptr == nullptr)
    return REXX_INCORRECT_CALL;
  const RXSTRING &text = argv[0];
  char *reply = reply_space(result, text.strlength);
  if (reply != nullptr)
    std::reverse_copy(text.strptr, text.strptr + text.strlength, reply);
  return reply != nullptr ? REXX_CALL_OK : REXX_INCORRECT_CALL;
}

// MathxSplit(text, stem.): sets stem.1 to stem.N to the words of the
// text and stem.0 to N, and replies with N.
RexxCode MathxSplit(const char *, unsigned long argc, RXSTRING *argv,
                    const char *, RXSTRING *result)
{
  StemName name;
  if (argc != 2 || argv[0].strptr == nullptr || argv[1].strptr == nullptr ||
      !name.make(argv[1]))
    return REXX_INCORRECT_CALL;
  const char *at = argv[0].strptr;
  const char *end = at + argv[0].strlength;
  unsigned long count = 0;
  while ((at = std::find_if_not(at, end, is_blank)) != end) {
    const char *word_end = std::find_if(at, end, is_blank);
    auto length = static_cast<unsigned long>(word_end - at);
    if (!set_variable(name.with(++count), {length, const_cast<char *>(at)}))
      return REXX_INCORRECT_CALL;
    at = word_end;
  }
  char digits[20];
  RXSTRING number{0, digits};
  number.strlength = static_cast<unsigned long>(
      std::to_chars(digits, digits + sizeof digits, count).ptr - digits);
  char *reply = reply_space(result, number.strlength);
  if (!set_variable(name.with(0), number) || reply == nullptr)
    return REXX_INCORRECT_CALL;
  std::memcpy(reply, digits, number.strlength);
  return REXX_CALL_OK;
}

// MathxJoin(stem. [, separator]): stem.1 to stem.N joined by the
// separator, one blank by default, where stem.0 is N.
RexxCode MathxJoin(const char *, unsigned long argc, RXSTRING *argv,
                   const char *, RXSTRING *result)
{
  StemName name;
  RXSTRING separator{1, const_cast<char *>(" ")}, count_text;
  if (argc == 2 && argv[1].strptr != nullptr)
    separator = argv[1];
  else if (argc != 1)
    return REXX_INCORRECT_CALL;
  if (argv[0].strptr == nullptr || !name.make(argv[0]) ||
      !fetch_variable(name.with(0), count_text))
    return REXX_INCORRECT_CALL;
  unsigned long count = 0;
  const char *text = count_text.strptr;
  bool counted = read_count(text, text + count_text.strlength, count);
  RexxFreeMemory(count_text.strptr);
  std::size_t length = 0;
  if (!counted || !join_items(name, count, separator, length, nullptr))
    return REXX_INCORRECT_CALL;
  char *reply = reply_space(result, length);
  std::size_t copied = 0;
  bool joined =
      reply != nullptr && join_items(name, count, separator, copied, reply);
  return joined ? REXX_CALL_OK : REXX_INCORRECT_CALL;
}

// The module's name: the interpreter loads module "mathx" from the file
// libmathx.so.  (A constant at namespace scope is private to the file.)
constexpr const char *module_name = "mathx";

// The routines that MathxLoadFuncs registers and MathxDropFuncs
// removes.  Each name is both the name that REXX calls and the exported
// symbol that the interpreter looks up.
constexpr const char *const routines[] = {
    "MathxReverse",
    "MathxSplit",
    "MathxJoin",
    "MathxDropFuncs",
};

// MathxLoadFuncs(): registers the routines of the table and replies with
// the empty string.  A REXX program registers this one routine itself,
// with RxFuncAdd, and calls it.
RexxCode MathxLoadFuncs(const char *, unsigned long, RXSTRING *, const char *,
                        RXSTRING *result)
{
  for (const char *name : routines)
    RexxRegisterFunctionDll(name, module_name, name);
  result->strlength = 0;
  return REXX_CALL_OK;
}

// MathxDropFuncs(): removes the routines of the table, itself among them,
// and replies with the empty string, so that x = MathxDropFuncs() works
// too.  (A routine that set result->strptr to null would return no value:
// RESULT dropped, and x = f() an error.)
RexxCode MathxDropFuncs(const char *, unsigned long argc, RXSTRING *,
                        const char *, RXSTRING *result)
{
  if (argc != 0)
    return REXX_INCORRECT_CALL;
  for (const char *name : routines)
    RexxDeregisterFunction(name);
  result->strlength = 0;
  return REXX_CALL_OK;
}
