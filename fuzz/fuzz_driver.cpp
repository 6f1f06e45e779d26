// Runs a fuzz target where there is no libFuzzer: over each seed file given, every prefix
// of it, and a fixed series of byte mutations, so that a build without clang still smokes
// the target. Usage: fuzz_target [-mutations=N] SEED_FILE_OR_FOLDER... (N mutations a seed,
// 3000 by default; with 0 the seeds alone run, as they are).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

std::string Read(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> seeds;
  int mutations = 3000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("-mutations=", 0) == 0) {
      mutations = std::stoi(arg.substr(11));
      continue;
    }
    const std::filesystem::path p(arg);
    if (std::filesystem::is_directory(p)) {
      for (const auto& e : std::filesystem::directory_iterator(p)) seeds.push_back(e.path());
    } else {
      seeds.push_back(p);
    }
  }
  if (seeds.empty()) {
    std::fprintf(stderr, "usage: %s [-mutations=N] SEED_FILE_OR_FOLDER...\n", argv[0]);
    return 2;
  }
  std::mt19937 random(20240615);
  const std::string interesting = "{}[]\":,0123456789-.eE\\tfnu\x80\xff";
  size_t runs = 0;
  for (const auto& seed : seeds) {
    const std::string text = Read(seed);
    if (mutations == 0) {
      Run(text);
      ++runs;
      continue;
    }
    for (size_t n = 0; n <= text.size(); ++n, ++runs) Run(text.substr(0, n));
    for (int k = 0; k < mutations && !text.empty(); ++k, ++runs) {
      std::string m = text;
      for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
        const size_t at = random() % m.size();
        switch (random() % 3) {
          case 0:
            m[at] = interesting[random() % interesting.size()];
            break;
          case 1:
            m.erase(at, 1 + random() % 8);
            break;
          default:
            m.insert(at, 1, interesting[random() % interesting.size()]);
        }
        if (m.empty()) break;
      }
      Run(m);
    }
  }
  std::printf("%zu inputs from %zu seeds, no crash\n", runs, seeds.size());
  return 0;
}
