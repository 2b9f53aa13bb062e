// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
// Fuzz target: decodes its input into one call of any of the package's
// routines, made the way any host could make it (0 to 8 arguments, each
// omitted, empty, holding NULs, a number, or up to 64 KiB long; a result
// with or without a buffer), and aborts when the call breaks a rule that
// every call must keep.  Standard output goes to /dev/null.
#include "replies.h"
#include <rexx_host.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

extern "C" {
RexxRoutine ApiLoadFuncs, ApiDeregFunc, Api_Output_From_C, Api_Output_From_REXX,
    Api_Exchange_Data;

[[gnu::visibility("default")]] RexxCode
RexxRegisterFunctionDll(const char *, const char *, const char *)
{
  return 0;
}

[[gnu::visibility("default")]] RexxCode RexxDeregisterFunction(const char *)
{
  return 0;
}
}

namespace {

constexpr char marker = '\x7f';

// What a routine must answer: its code and its reply (nullopt: no value).
struct Answer {
  RexxCode code;
  std::optional<std::string_view> reply;
};

struct Routine {
  const char *name;
  RexxRoutine *entry;
  Answer (*answer)(std::size_t argc);
};

/* ApiLoadFuncs replies with the empty string to any call. */
Answer loaded(std::size_t) { return {REXX_CALL_OK, ""}; }

const Routine routines[] = {
    {"ApiLoadFuncs", ApiLoadFuncs, loaded},
    {"ApiDeregFunc", ApiDeregFunc,
     [](std::size_t argc) {
       return Answer{argc == 0 ? REXX_CALL_OK : REXX_INCORRECT_CALL, {}};
     }},
    {"Api_Output_From_C", Api_Output_From_C,
     [](std::size_t argc) {
       return Answer{REXX_CALL_OK,
                     argc == 0 ? replies::c_done : replies::c_refused};
     }},
    {"Api_Output_From_REXX", Api_Output_From_REXX,
     [](std::size_t argc) {
       return Answer{REXX_CALL_OK,
                     argc == 0 ? replies::rexx_text : replies::rexx_refused};
     }},
    {"Api_Exchange_Data", Api_Exchange_Data,
     [](std::size_t argc) {
       return Answer{REXX_CALL_OK, argc == 3 ? "0" : "1"};
     }},
};

void require(bool holds, const char *rule, const Routine &routine)
{
  if (!holds) {
    std::fprintf(stderr, "%s broke the rule: %s\n", routine.name, rule);
    std::abort();
  }
}

std::string argument(FuzzedDataProvider &in)
{
  switch (in.ConsumeIntegralInRange(0, 2)) {
  case 0:
    return in.ConsumeRandomLengthString(); // may hold NULs
  case 1:
    return std::to_string(in.ConsumeIntegral<int64_t>()) +
           in.ConsumeRandomLengthString(4);
  default:
    return std::string(in.ConsumeIntegralInRange<std::size_t>(0, 65536),
                       in.ConsumeIntegral<char>());
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
  dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
  FuzzedDataProvider in(data, size);
  const Routine &routine = in.PickValueInArray(routines);
  const auto argc = in.ConsumeIntegralInRange<std::size_t>(0, 8);
  const bool has_buffer = in.ConsumeIntegralInRange(0, 7) != 0;

  std::vector<std::optional<std::string>> texts;
  for (std::size_t i = 0; i < argc; ++i)
    texts.push_back(in.ConsumeBool() ? std::nullopt
                                     : std::optional(argument(in)));
  std::vector<RXSTRING> argv;
  for (auto &text : texts)
    argv.push_back(text ? RXSTRING{text->size(), text->data()}
                        : RXSTRING{0, nullptr});

  std::array<char, REXX_RESULT_BUFFER_SIZE> buffer;
  buffer.fill(marker);
  RXSTRING result{buffer.size(), has_buffer ? buffer.data() : nullptr};
  const RexxCode code = routine.entry(
      routine.name, argc, argc ? argv.data() : nullptr, "SESSION", &result);

  const Answer answer = routine.answer(argc);
  require(code == answer.code, "code", routine);
  if (!answer.reply || !has_buffer) {
    require(result.strptr == nullptr, "no value", routine);
    return 0;
  }
  const std::string_view reply = *answer.reply;
  require(result.strptr == buffer.data(), "reply in place", routine);
  require(result.strlength == reply.size(), "strlength", routine);
  require(std::string_view(buffer.data(), reply.size()) == reply, "reply",
          routine);
  // The empty reply of ApiLoadFuncs leaves the buffer alone; every other
  // reply ends with a NUL, and nothing is written past it.
  const std::size_t written = reply.empty() ? 0 : reply.size() + 1;
  require(reply.empty() || buffer[reply.size()] == '\0', "NUL", routine);
  require(std::all_of(buffer.begin() + written, buffer.end(),
                      [](char c) { return c == marker; }),
          "nothing past the reply", routine);
  return 0;
}
