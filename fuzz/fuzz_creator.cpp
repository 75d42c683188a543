// Fuzz target for the creator's loop over its arguments: fuzzed argument lists against a
// fake file system where names may exist already and creates or closes fail with
// fuzz-chosen error numbers, 0 among them. Checks the status and the console bytes.
#include <fuzzer/FuzzedDataProvider.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "creator/creator.h"
#include "fuzz/exact_copy.h"

namespace {

// What the file system does with one argument when it does not exist yet.
struct Outcome {
  bool createFails;
  int error;  // left in *error on a failed create; may be 0 or negative
  bool closeFails;
};

struct FakeSystem {
  std::set<std::string> files;
  std::vector<Outcome> outcomes;  // one per argument, in order
  size_t calls = 0;
  int openHandle = -1;
  bool lastCreated = false;  // whether the latest create made a new file
  std::string console;
  std::vector<char *> asked;  // the name pointer each create was given
};

FakeSystem *Self(void *ctx) { return static_cast<FakeSystem *>(ctx); }

void Write(void *ctx, const char *bytes, size_t len) { Self(ctx)->console.append(bytes, len); }

int Create(void *ctx, const char *name, int *error) {
  FakeSystem *sys = Self(ctx);
  if (sys->openHandle >= 0 || sys->calls >= sys->outcomes.size()) abort();  // one at a time
  const Outcome &outcome = sys->outcomes[sys->calls++];
  sys->asked.push_back(const_cast<char *>(name));
  sys->lastCreated = false;
  if (sys->files.count(name) != 0) {
    *error = 17;
    return -1;
  }
  if (outcome.createFails) {
    *error = outcome.error;
    return -1;
  }
  sys->files.insert(name);
  sys->lastCreated = true;
  sys->openHandle = 3 + static_cast<int>(sys->calls);
  return sys->openHandle;
}

int Close(void *ctx, int handle) {
  FakeSystem *sys = Self(ctx);
  if (handle != sys->openHandle) abort();  // only the handle just created, and only once
  sys->openHandle = -1;
  return sys->outcomes[sys->calls - 1].closeFails ? -1 : 0;
}

std::string Banner() {
  std::string text;
  for (const char *lineText : {kBannerMaker, kBannerTitle, kBannerUsage})
    text += std::string(lineText) + "\r\n";
  return text;
}

// Replays the arguments against a copy of the starting file system: the console bytes
// and the status the creator must give.
std::string ExpectedConsole(const FakeSystem &start, char **argv, int argc, int *status) {
  std::set<std::string> files = start.files;
  std::string console;
  for (int i = 1; i < argc; ++i) {
    const Outcome &outcome = start.outcomes[static_cast<size_t>(i - 1)];
    bool exists = files.count(argv[i]) != 0;
    if (exists || outcome.createFails) {
      console += std::string(kCantCreatePrefix) + argv[i] + "\r\n";
      *status = exists ? 17 : outcome.error;
      if (*status == 0) *status = -1;
      continue;
    }
    files.insert(argv[i]);
    *status = outcome.closeFails ? -1 : 0;
  }
  return console;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider input(data, size);
  FakeSystem sys;
  int argc = input.ConsumeIntegralInRange<int>(0, 40);
  std::vector<std::unique_ptr<char[]>> args;
  std::vector<char *> argv;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) {
      Outcome outcome = {input.ConsumeBool(), input.ConsumeIntegral<int8_t>(), input.ConsumeBool()};
      sys.outcomes.push_back(outcome);
    }
    bool existsBefore = i > 0 && input.ConsumeBool();
    args.push_back(ExactCString(input.ConsumeRandomLengthString(300)));
    if (existsBefore) sys.files.insert(args.back().get());
    argv.push_back(args.back().get());
  }
  argv.push_back(nullptr);  // as main receives it

  FakeSystem start = sys;
  CreatorOps ops = {&sys, Write, Create, Close};
  int status = RunCreator(argc, argv.data(), &ops);

  int expectedStatus = kBannerStatus;
  std::string expected =
      argc <= 1 ? Banner() : ExpectedConsole(start, argv.data(), argc, &expectedStatus);
  if (sys.console != expected || status != expectedStatus) abort();
  // Every argument was tried once, in order, as given; no handle is left open.
  if (argc > 1 && sys.asked != std::vector<char *>(argv.begin() + 1, argv.end() - 1)) abort();
  if (argc <= 1 && sys.calls != 0) abort();
  if (sys.openHandle >= 0) abort();
  // Success only when the last name is now a file that was not there before.
  if (status == 0 && !sys.lastCreated) abort();
  return 0;
}
