// Creates 10,000 new files in one run of quellard, of the bare open/close floor program
// and of touch, round after round in the same run, and prints the median time of each
// and the ratios to the floor. Usage: create_bench <quellard> <floor> [files] [rounds]
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char **environ;
namespace fs = std::filesystem;

static double RunOnce(const std::string &program, const fs::path &dir, int files) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::vector<std::string> args{program};
  for (int i = 0; i < files; ++i) args.push_back((dir / ("flag" + std::to_string(i))).string());
  std::vector<char *> argv;
  for (auto &a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  auto start = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    std::perror(program.c_str());
    std::exit(2);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", program.c_str());
    std::exit(2);
  }
  return seconds;
}

static double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <quellard> <floor> [files] [rounds]\n", argv[0]);
    return 2;
  }
  int files = argc > 3 ? std::atoi(argv[3]) : 10000;
  int rounds = argc > 4 ? std::atoi(argv[4]) : 15;
  // Memory-backed when possible, so the disk's noise does not drown the programs' own cost.
  fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  fs::path dir = base / ("create_bench." + std::to_string(getpid()));
  const std::string programs[] = {argv[2], argv[1], "touch"};
  std::vector<double> times[3];
  // The order rotates from round to round, so no program always follows the same one.
  for (int r = 0; r < rounds; ++r)
    for (int k = 0; k < 3; ++k) {
      int p = (r + k) % 3;
      times[p].push_back(RunOnce(programs[p], dir, files));
    }
  fs::remove_all(dir);
  double floor = Median(times[0]);
  std::printf("%d new files per run, median of %d rounds\n", files, rounds);
  const char *names[] = {"floor (open+close loop)", "quellard", "touch"};
  for (int p = 0; p < 3; ++p)
    std::printf("%-24s %8.2f ms  %5.2fx floor\n", names[p], Median(times[p]) * 1e3,
                Median(times[p]) / floor);
  std::printf("quellard / touch: %.2f\n", Median(times[1]) / Median(times[2]));
  return 0;
}
