// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
// Host harness: loads the built libmorvelin.so with dlopen, as the
// interpreter does, and stands in for the interpreter's two services,
// recording every call to them.  Each routine is called in the routine
// shape with argument records built here and a result buffer filled with
// a marker byte, so replies, output and service calls are checked byte for
// byte without a REXX program.
#include "replies.h"
#include "reports.h"
#include <report_buffer.h>
#include <rexx_host.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct ServiceCall {
  std::string service, function, module, entry;
  bool operator==(const ServiceCall &) const = default;
};

std::vector<ServiceCall> service_calls;
RexxCode service_answer = 0; // nonzero: the host refuses every request

} // namespace

extern "C" [[gnu::visibility("default")]] RexxCode
RexxRegisterFunctionDll(const char *function, const char *module,
                        const char *entry)
{
  service_calls.push_back({"register", function, module, entry});
  return service_answer;
}

extern "C" [[gnu::visibility("default")]] RexxCode
RexxDeregisterFunction(const char *function)
{
  service_calls.push_back({"deregister", function, "", ""});
  return service_answer;
}

namespace {

constexpr char marker = '\x7f';

// A routine of the built library, looked up by its exported name.
RexxRoutine *routine(const char *name)
{
  static void *const library = dlopen(MORVELIN_LIBRARY, RTLD_NOW);
  if (library == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", MORVELIN_LIBRARY, dlerror());
    std::abort();
  }
  auto *found = reinterpret_cast<RexxRoutine *>(dlsym(library, name));
  if (found == nullptr) {
    std::fprintf(stderr, "%s does not export %s\n", MORVELIN_LIBRARY, name);
    std::abort();
  }
  return found;
}

// Reads what a stream's file holds, without flushing anything.
std::string contents(std::FILE *file)
{
  std::string text;
  std::array<char, 65536> chunk;
  off_t offset = 0;
  for (ssize_t got;
       (got = pread(fileno(file), chunk.data(), chunk.size(), offset)) > 0;
       offset += got)
    text.append(chunk.data(), static_cast<std::size_t>(got));
  return text;
}

// Sends standard output to a temporary file for as long as it lives.
class CapturedStdout {
public:
  CapturedStdout() : file_(std::tmpfile()), saved_(dup(STDOUT_FILENO))
  {
    std::fflush(stdout);
    dup2(fileno(file_), STDOUT_FILENO);
  }
  ~CapturedStdout()
  {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    std::fclose(file_);
  }
  CapturedStdout(const CapturedStdout &) = delete;
  CapturedStdout &operator=(const CapturedStdout &) = delete;

  // What reached standard output so far: only what the routines flushed.
  std::string text() const { return contents(file_); }

private:
  std::FILE *file_;
  int saved_;
};

// Arguments of a call; nullopt is an argument omitted in the middle.
using Args = std::vector<std::optional<std::string>>;

struct Outcome {
  RexxCode code;
  std::optional<std::string> reply; // nullopt: the result has no value
  unsigned long strlength;
  std::array<char, REXX_RESULT_BUFFER_SIZE> buffer;
  std::string printed;

  // The reply is followed by a NUL in the buffer.
  bool terminated() const { return reply && buffer[reply->size()] == '\0'; }
};

// Argument records for `args`, pointing into them: a null array for no
// arguments, a null strptr for an omitted one.
std::vector<RXSTRING> records(const Args &args)
{
  std::vector<RXSTRING> argv;
  for (const auto &arg : args)
    argv.push_back(arg ? RXSTRING{arg->size(), const_cast<char *>(arg->data())}
                       : RXSTRING{0, nullptr});
  return argv;
}

RexxCode invoke(const char *name, const Args &args, RXSTRING &result)
{
  auto argv = records(args);
  return routine(name)(name, argv.size(), argv.empty() ? nullptr : argv.data(),
                       "SESSION", &result);
}

// Calls a routine as the interpreter would, lending a fresh result buffer
// with its size as the entry strlength, and collects everything the
// routine answered and printed.
Outcome call(const char *name, const Args &args)
{
  Outcome outcome{};
  outcome.buffer.fill(marker);
  RXSTRING result{outcome.buffer.size(), outcome.buffer.data()};
  CapturedStdout out;
  outcome.code = invoke(name, args, result);
  outcome.printed = out.text();
  outcome.strlength = result.strlength;
  if (result.strptr != nullptr) {
    EXPECT_EQ(result.strptr, outcome.buffer.data()) << "reply not in place";
    EXPECT_LT(result.strlength, outcome.buffer.size());
    outcome.reply.emplace(
        result.strptr,
        std::min<unsigned long>(result.strlength, outcome.buffer.size() - 1));
  }
  return outcome;
}

const std::vector<std::string> table = {"Api_Output_From_C",
                                        "Api_Output_From_REXX",
                                        "Api_Exchange_Data", "ApiDeregFunc"};

// The service calls that walking the table makes, in table order.
std::vector<ServiceCall> walk(const std::string &service)
{
  std::vector<ServiceCall> calls;
  for (const auto &name : table)
    calls.push_back(service == "register"
                        ? ServiceCall{service, name, "morvelin", name}
                        : ServiceCall{service, name, "", ""});
  return calls;
}

// ---------------------------------------------------------------------------
// Registration

TEST(Registration, LoadFuncsRegistersTheWholeTableWhateverItIsPassed)
{
  const Args passed[] = {{}, {""}, {std::nullopt}, {"1", "2", "3"}};
  for (RexxCode answer : {0UL, 1UL, 1003UL})
    for (const auto &args : passed) {
      SCOPED_TRACE(testing::Message() << "host answers " << answer << ", "
                                      << args.size() << " arguments");
      service_answer = answer;
      service_calls.clear();
      const auto outcome = call("ApiLoadFuncs", args);
      EXPECT_EQ(outcome.code, REXX_CALL_OK);
      EXPECT_EQ(outcome.reply, "");
      EXPECT_TRUE(std::ranges::all_of(outcome.buffer, [](char c) {
        return c == marker;
      })) << "wrote into the result buffer";
      EXPECT_EQ(service_calls, walk("register"));
    }
  service_answer = 0;
}

TEST(Registration, DeregFuncRemovesTheTableOnlyWhenCalledWithoutArguments)
{
  const struct {
    Args args;
    RexxCode code;
    std::vector<ServiceCall> calls;
  } cases[] = {
      {{}, REXX_CALL_OK, walk("deregister")},
      {{""}, REXX_INCORRECT_CALL, {}},
      {{std::nullopt}, REXX_INCORRECT_CALL, {}},
      {{"x", "y"}, REXX_INCORRECT_CALL, {}},
  };
  for (RexxCode answer : {0UL, 1UL})
    for (const auto &c : cases) {
      SCOPED_TRACE(testing::Message() << "host answers " << answer << ", "
                                      << c.args.size() << " arguments");
      service_answer = answer;
      service_calls.clear();
      const auto outcome = call("ApiDeregFunc", c.args);
      EXPECT_EQ(outcome.code, c.code);
      EXPECT_EQ(outcome.reply, std::nullopt) << "returned a value";
      EXPECT_EQ(outcome.strlength, REXX_RESULT_BUFFER_SIZE)
          << "changed strlength";
      EXPECT_EQ(service_calls, c.calls);
    }
  service_answer = 0;
}

// ---------------------------------------------------------------------------
// Output routines

TEST(OutputRoutines, ReplyAndPrintByArgumentCountAlone)
{
  using namespace replies;
  const struct {
    const char *routine;
    Args args;
    std::string printed, reply;
    std::size_t length;
  } cases[] = {
      {"Api_Output_From_C", {}, std::string(c_line), std::string(c_done), 3},
      {"Api_Output_From_C", {""}, "", std::string(c_refused), 48},
      {"Api_Output_From_C",
       {std::nullopt, "x"},
       "",
       std::string(c_refused),
       48},
      {"Api_Output_From_REXX", {}, "", std::string(rexx_text), 85},
      {"Api_Output_From_REXX", {""}, "", std::string(rexx_refused), 51},
      {"Api_Output_From_REXX",
       {"a", std::nullopt, "c"},
       "",
       std::string(rexx_refused),
       51},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.routine << " with " << c.args.size() << " arguments");
    const auto outcome = call(c.routine, c.args);
    EXPECT_EQ(outcome.code, REXX_CALL_OK);
    EXPECT_EQ(outcome.printed, c.printed);
    EXPECT_EQ(outcome.reply, c.reply);
    EXPECT_EQ(outcome.strlength, c.length);
    EXPECT_TRUE(outcome.terminated());
  }
}

// ---------------------------------------------------------------------------
// Argument exchange

std::string report(const std::string &first, const std::string &second,
                   const std::string &third)
{
  return "Api_Exchange_Data function has received following arguments:\n"
         "\tArgument 1: " +
         first + "\n\tArgument 2: " + second + "\n\tArgument 3: " + third +
         "\n";
}

std::string wrong_count(const std::string &count)
{
  return "Api_Exchange_Data function expects 3 arguments, instead received: " +
         count + "\n";
}

TEST(ArgumentExchange, ReportsWhatItReceivedAndRepliesWithAStatus)
{
  const std::string max = "2147483647", min = "-2147483648";
  const std::string nul_inside("ab\0cd", 5);
  const struct {
    const char *what;
    Args args;
    std::string printed, reply;
  } cases[] = {
      {"plain", {"12", "-7", "hello"}, report("12", "-7", "hello"), "0"},
      {"trailing text", {"12abc", " 5", "3.9"}, report("12", "5", "3.9"), "0"},
      {"no digits", {"abc", "", "x"}, report("0", "0", "x"), "0"},
      {"white space, signs",
       {"\t\n +42", "-0", "x"},
       report("42", "0", "x"),
       "0"},
      {"negative first", {"-5", "  +12", "x"}, report("-5", "12", "x"), "0"},
      {"leading zeros", {"010", "-007", "x"}, report("10", "-7", "x"), "0"},
      {"hex, exponent", {"0x1A", "1e3", "x"}, report("0", "1", "x"), "0"},
      {"two signs, sign and space",
       {"+-5", "- 5", "x"},
       report("0", "0", "x"),
       "0"},
      {"empty text", {"1", "2", ""}, report("1", "2", ""), "0"},
      {"first omitted", {std::nullopt, "2", "x"}, report("0", "2", "x"), "0"},
      {"second omitted", {"1", std::nullopt, "x"}, report("1", "0", "x"), "0"},
      {"third omitted", {"1", "2", std::nullopt}, report("1", "2", ""), "0"},
      {"all omitted",
       {std::nullopt, std::nullopt, std::nullopt},
       report("0", "0", ""),
       "0"},
      {"range ends", {max, min, "x"}, report(max, min, "x"), "0"},
      {"just beyond",
       {"2147483648", "-2147483649", "x"},
       report(max, min, "x"),
       "0"},
      {"2^32", {"4294967296", "-4294967296", "x"}, report(max, min, "x"), "0"},
      {"far beyond",
       {"99999999999999999999", "-99999999999999999999", "x"},
       report(max, min, "x"),
       "0"},
      {"NUL inside",
       {nul_inside, nul_inside, nul_inside},
       report("0", "0", "ab"),
       "0"},
      {"no arguments", {}, wrong_count("0"), "1"},
      {"one", {"1"}, wrong_count("1"), "1"},
      {"two", {"1", "2"}, wrong_count("2"), "1"},
      {"four", {"1", "2", "3", "4"}, wrong_count("4"), "1"},
      {"nine", Args(9, "9"), wrong_count("9"), "1"},
      {"two omitted", Args(2), wrong_count("2"), "1"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const auto outcome = call("Api_Exchange_Data", c.args);
    EXPECT_EQ(outcome.code, REXX_CALL_OK);
    EXPECT_EQ(outcome.printed, c.printed);
    EXPECT_EQ(outcome.reply, c.reply);
    EXPECT_EQ(outcome.strlength, 1U);
    EXPECT_TRUE(outcome.terminated());
  }
}

TEST(ArgumentExchange, PrintsLongTextWholeAndUnchanged)
{
  // The longest text whose report, with its NUL, fills the local buffer:
  // it and the next two give reports on either side of the buffer's edge.
  const std::size_t filling =
      morvelin::report_buffer_size - 1 - report("1", "2", "").size();
  for (std::size_t length :
       {filling, filling + 1, filling + 2, std::size_t{248}, std::size_t{249},
        std::size_t{256}, std::size_t{511}, std::size_t{512}, std::size_t{4096},
        std::size_t{1} << 20}) {
    SCOPED_TRACE(testing::Message() << length << " characters");
    std::string text(length, 'x');
    for (std::size_t i = 0; i < length; i += 97)
      text[i] = static_cast<char>('a' + i % 26);
    const auto outcome = call("Api_Exchange_Data", {"1", "2", text});
    EXPECT_EQ(outcome.code, REXX_CALL_OK);
    EXPECT_TRUE(outcome.printed == report("1", "2", text))
        << outcome.printed.size() << " characters printed";
    EXPECT_EQ(outcome.reply, "0");
  }
}

// ---------------------------------------------------------------------------
// What every routine shares

TEST(EveryRoutine, WritesNothingThroughAResultWithoutBuffer)
{
  const struct {
    const char *routine;
    Args args;
    RexxCode code;
  } cases[] = {
      {"Api_Output_From_C", {}, REXX_CALL_OK},
      {"Api_Output_From_C", {"x"}, REXX_CALL_OK},
      {"Api_Output_From_REXX", {}, REXX_CALL_OK},
      {"Api_Output_From_REXX", {"x"}, REXX_CALL_OK},
      {"Api_Exchange_Data", {"1", "2", "3"}, REXX_CALL_OK},
      {"Api_Exchange_Data", {}, REXX_CALL_OK},
      {"ApiLoadFuncs", {}, REXX_CALL_OK},
      {"ApiDeregFunc", {"x"}, REXX_INCORRECT_CALL},
      {"ApiDeregFunc", {}, REXX_CALL_OK},
  };
  for (unsigned long length : {0UL, 1UL, REXX_RESULT_BUFFER_SIZE + 0UL})
    for (const auto &c : cases) {
      SCOPED_TRACE(testing::Message() << c.routine << " with " << c.args.size()
                                      << " arguments, length " << length);
      RXSTRING result{length, nullptr};
      CapturedStdout out;
      EXPECT_EQ(invoke(c.routine, c.args, result), c.code);
      EXPECT_EQ(result.strptr, nullptr);
    }
}

TEST(EveryRoutine, WritesNothingPastALentBufferTooShortForItsReply)
{
  const struct {
    const char *routine;
    Args args;
    unsigned long reply_length;
  } cases[] = {
      {"Api_Output_From_C", {}, 3},
      {"Api_Output_From_C", {"x"}, 48},
      {"Api_Output_From_REXX", {}, 85},
      {"Api_Output_From_REXX", {"x"}, 51},
      {"Api_Exchange_Data", {"1", "2", "3"}, 1},
      {"Api_Exchange_Data", {}, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.routine);
    std::array<char, REXX_RESULT_BUFFER_SIZE> buffer;
    buffer.fill(marker);
    // Room for the reply but not its NUL: no value, and nothing written.
    RXSTRING result{c.reply_length, buffer.data()};
    CapturedStdout out;
    EXPECT_EQ(invoke(c.routine, c.args, result), REXX_CALL_OK);
    EXPECT_EQ(result.strptr, nullptr);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), marker), buffer.size());
  }
}

TEST(EveryRoutine, FlushesEveryOutputStreamBeforeItReturns)
{
  const struct {
    const char *routine;
    Args args;
  } printing[] = {
      {"Api_Output_From_C", {}},
      {"Api_Exchange_Data", {"1", "2", "3"}},
      {"Api_Exchange_Data", {"1"}},
  };
  for (const auto &c : printing) {
    SCOPED_TRACE(c.routine);
    std::FILE *other = std::tmpfile();
    ASSERT_NE(other, nullptr);
    std::setvbuf(other, nullptr, _IOFBF, BUFSIZ);
    std::fputs("pending", other);
    ASSERT_EQ(contents(other), "") << "the other stream was not buffered";
    const auto outcome = call(c.routine, c.args);
    EXPECT_NE(outcome.printed, "") << "standard output left pending";
    EXPECT_EQ(contents(other), "pending") << "another stream left pending";
    std::fclose(other);
  }
}

TEST(EveryRoutine, ReportsOfCallsOnManyThreadsNeverInterleave)
{
  constexpr int threads = 8, calls = 1000;
  CapturedStdout out;
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t)
    workers.emplace_back([t] {
      for (int i = 0; i < calls; ++i) {
        const Args args = {std::to_string(t), std::to_string(-i),
                           "call " + std::to_string(i) + " of thread " +
                               std::to_string(t)};
        std::array<char, REXX_RESULT_BUFFER_SIZE> buffer;
        RXSTRING result{buffer.size(), buffer.data()};
        EXPECT_EQ(invoke("Api_Exchange_Data", args, result), REXX_CALL_OK);
        EXPECT_EQ(std::string(buffer.data()), "0");
      }
    });
  for (auto &worker : workers)
    worker.join();

  std::istringstream printed(out.text());
  const Reports reports = read_reports(printed);
  ASSERT_EQ(reports.broken, "") << "broken report";
  EXPECT_EQ(reports.repeated, 0U) << "calls reported twice";
  EXPECT_EQ(reports.calls.size(), std::size_t{threads * calls});
}

} // namespace
