// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
/*
** threaded_host.cpp: a C++ program that embeds the Regina interpreter and
** runs REXX on several threads at once, each thread using the morvelin
** package.
**
**     threaded_host [--routine NAME] [THREADS [CALLS]]
**
** Every thread runs the same REXX program, kept in memory, which registers
** the package and calls one of its routines CALLS times (default: 4
** threads, 1000 calls of Api_Exchange_Data, with arguments that name the
** thread and the call; --routine Api_Output_From_REXX calls that routine
** instead).  The program checks every reply and returns how many were
** right.  A one-line summary goes to standard error; the exit status is 0
** only if every thread's program ran and every reply was right.
**
** Link it with the shared interpreter library (regina-config --libs): it
** is the thread-safe build, the static libregina.a is not.
*/
#define INCL_REXXSAA
#include <rexxsaa.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

// The REXX program that each thread runs.  Its arguments: the routine to
// call, the thread's number and the number of calls.
//
// It registers the package itself because the interpreter keeps function
// registrations per thread: one made on another thread, the main thread
// included, is unknown here.  And it says NOEXT_COMMANDS_AS_FUNCS because
// without it the call of a function that this thread does not know is
// quietly run as a shell command, whose value is the empty string, instead
// of raising an error.
constexpr std::string_view program = R"(
options NOEXT_COMMANDS_AS_FUNCS
parse arg routine, thread, calls
call RxFuncAdd 'ApiLoadFuncs', 'morvelin', 'ApiLoadFuncs'
if RxFuncQuery('ApiLoadFuncs') \= 0 then do
  say 'libmorvelin.so was not found'
  exit 1
end
call ApiLoadFuncs
right = 0
if routine = 'Api_Exchange_Data' then
  do i = 1 to calls
    reply = Api_Exchange_Data(thread, -i, 'call' i 'of thread' thread)
    right = right + (reply == '0')
  end
else do
  text = Api_Output_From_REXX()
  do i = 1 to calls
    right = right + (Api_Output_From_REXX() == text & text \== '')
  end
end
call ApiDeregFunc
return right
)";

// A counted string for the interpreter, pointing at `text`.
RXSTRING rx(std::string_view text)
{
  RXSTRING s;
  MAKERXSTRING(s, const_cast<char *>(text.data()), text.size());
  return s;
}

// Runs the program once on the calling thread: true when it ran to its
// end and returned `calls`, every reply right.
bool run(std::string_view routine, int thread, long calls)
{
  const std::string number = std::to_string(thread);
  const std::string count = std::to_string(calls);
  RXSTRING args[] = {rx(routine), rx(number), rx(count)};
  // The source, and room for the tokenized image the interpreter makes.
  RXSTRING instore[] = {rx(program), {0, nullptr}};
  RXSTRING result = {0, nullptr};
  short rc = 0;
  const APIRET started = RexxStart(3, args, "threaded_host", instore, nullptr,
                                   RXSUBROUTINE, nullptr, &rc, &result);
  const bool right = started == 0 && result.strptr != nullptr &&
                     std::string_view(result.strptr, result.strlength) == count;
  // What the interpreter allocated is freed with its own call.
  if (result.strptr != nullptr)
    RexxFreeMemory(result.strptr);
  if (instore[1].strptr != nullptr)
    RexxFreeMemory(instore[1].strptr);
  return right;
}

// A positive number from the command line, or 0.
long positive(const char *text)
{
  long value = 0;
  const auto end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, value);
  return error == std::errc() && stop == end && value > 0 ? value : 0;
}

} // namespace

int main(int argc, char **argv)
{
  std::string_view routine = "Api_Exchange_Data";
  if (argc > 2 && std::string_view(argv[1]) == "--routine") {
    routine = argv[2];
    argc -= 2;
    argv += 2;
  }
  const long threads = argc > 1 ? positive(argv[1]) : 4;
  const long calls = argc > 2 ? positive(argv[2]) : 1000;
  if (argc > 3 || threads == 0 || calls == 0 ||
      (routine != "Api_Exchange_Data" && routine != "Api_Output_From_REXX")) {
    std::fprintf(stderr, "usage: threaded_host [--routine Api_Exchange_Data|"
                         "Api_Output_From_REXX] [THREADS [CALLS]]\n");
    return 2;
  }

  // One flag per thread, each written by its own thread only (char, not
  // bool: a vector<bool> packs neighbouring flags into one word).
  std::vector<char> right(static_cast<std::size_t>(threads));
  const auto start = std::chrono::steady_clock::now();
  {
    std::vector<std::jthread> workers; // joined at the end of this block
    for (long t = 0; t < threads; ++t)
      workers.emplace_back([&, t] {
        right[static_cast<std::size_t>(t)] = run(routine, int(t) + 1, calls);
      });
  }
  const std::chrono::duration<double> took =
      std::chrono::steady_clock::now() - start;

  long failed = 0;
  for (char r : right)
    failed += !r;
  const double total = double(threads) * double(calls);
  std::fprintf(stderr,
               "threaded_host: %ld threads x %ld calls of %.*s: %.0f calls "
               "in %.3f s, %.0f calls/s, %s\n",
               threads, calls, int(routine.size()), routine.data(), total,
               took.count(), total / took.count(),
               failed == 0 ? "every reply right" : "FAILED");
  return failed == 0 ? 0 : 1;
}
