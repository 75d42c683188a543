// Fuzz target for loading the flag name: a fuzzed program path, a fuzzed INI value read
// through a fake profile layer that cuts and terminates like GetPrivateProfileStringA,
// and a fuzzed command-line tail.
#include <fuzzer/FuzzedDataProvider.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "fuzz/exact_copy.h"
#include "watcher/config/configuration.h"
#include "watcher/config/ini_path.h"

namespace {

struct FakeProfile {
  bool hasPath = false;
  std::string path;
  bool hasValue = false;
  std::string value;  // as stored in the INI file, up to its first NUL
  int reads = 0;
  int readSize = 0;
  std::string readFile;
};

FakeProfile *Self(void *ctx) { return static_cast<FakeProfile *>(ctx); }

int ModulePath(void *ctx, char *buffer, int size) {
  const FakeProfile *fake = Self(ctx);
  if (!fake->hasPath || fake->path.size() >= static_cast<size_t>(size)) {
    buffer[0] = '\0';
    return 0;
  }
  memcpy(buffer, fake->path.c_str(), fake->path.size() + 1);
  return static_cast<int>(fake->path.size());
}

int ReadString(void *ctx, const char *, const char *, const char *def, char *buffer, int size,
               const char *file) {
  FakeProfile *fake = Self(ctx);
  ++fake->reads;
  fake->readSize = size;
  fake->readFile = file;
  const char *source = fake->hasValue ? fake->value.c_str() : def;
  size_t length = strnlen(source, static_cast<size_t>(size - 1));
  memcpy(buffer, source, length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

int WriteString(void *, const char *, const char *, const char *, const char *) {
  abort();  // loading must never write the INI file
}

// What the INI file may contribute when no tail overrides it: a read that is cut to
// kNameReadSize - 1 characters, or nothing when no INI path can be had.
std::string ExpectedIniName(const FakeProfile &fake, const char *expectedIni) {
  if (expectedIni[0] == '\0' || !fake.hasValue) return "";
  return fake.value.substr(0, kNameReadSize - 1);
}

void CheckIniPath(const FakeProfile &fake, const WatcherState &state) {
  if (memchr(state.iniFileName, '\0', sizeof(state.iniFileName)) == nullptr) abort();
  char expected[kIniFileNameSize];
  expected[0] = '\0';
  if (fake.hasPath && !fake.path.empty() && fake.path.size() < kModulePathSize)
    DeriveIniPath(fake.path.c_str(), expected, kIniFileNameSize);
  if (strcmp(state.iniFileName, expected) != 0) abort();
  // Read once from that INI file, with the small size, or not at all without one.
  if (fake.reads != (expected[0] != '\0' ? 1 : 0)) abort();
  if (fake.reads == 1 && (fake.readSize != kNameReadSize || fake.readFile != expected)) abort();
}

void CheckFlagName(const FakeProfile &fake, const WatcherState &state, const char *tail) {
  if (memchr(state.flagFileName, '\0', sizeof(state.flagFileName)) == nullptr) abort();
  size_t length = strlen(state.flagFileName);
  size_t tailLength = tail != nullptr ? strlen(tail) : 0;
  std::string expected;
  if (tailLength == 0)
    expected = ExpectedIniName(fake, state.iniFileName);
  else if (tailLength < kFlagFileNameSize)
    expected = tail;  // an overlong tail is refused whole, never cut
  if (expected != state.flagFileName) abort();
  if (tailLength == 0 && length > kNameReadSize - 1) abort();
  if (state.noCommandLine != (length == 0 ? 1 : 0)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider input(data, size);
  FakeProfile fake;
  fake.hasPath = input.ConsumeBool();
  fake.path = ExactCString(input.ConsumeRandomLengthString(700)).get();
  fake.hasValue = input.ConsumeBool();
  fake.value = ExactCString(input.ConsumeRandomLengthString(400)).get();
  bool hasTail = input.ConsumeBool();
  std::unique_ptr<char[]> tail = ExactCString(input.ConsumeRemainingBytesAsString());

  WatcherState state;
  InitWatcherState(&state);
  // Stale bytes everywhere: the load must terminate what it leaves, not rely on zeros.
  memset(state.flagFileName, 'F', sizeof(state.flagFileName));
  memset(state.iniFileName, 'I', sizeof(state.iniFileName));
  ProfileOps ops = {&fake, ModulePath, ReadString, WriteString};
  LoadConfiguration(&state, &ops, hasTail ? tail.get() : nullptr);

  CheckIniPath(fake, state);
  CheckFlagName(fake, state, hasTail ? tail.get() : nullptr);
  return 0;
}
