// JsonLines: where things sit in a JSON text, so that errors found after parsing can name a
// line: the line of a byte, and the line of each object key by its path from the root.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvo {

class JsonLines {
 public:
  // One pass over the text; text that is not valid JSON is scanned as far as it goes.
  explicit JsonLines(std::string_view text);

  // 1-based.
  int LineOfByte(size_t byte) const;
  // The line of the key at `path` (object keys and array indices, outermost first); 0 when
  // the text holds no such key.
  int LineOfKey(const std::vector<std::string>& path) const;
  // The last key that starts before `byte` in an object at most `maxDepth` containers
  // deep (1: the outermost), "" when none.
  std::string LastKeyBefore(size_t byte, size_t maxDepth) const;

 private:
  std::string_view text_;
  std::vector<size_t> lineStarts_;
  std::unordered_map<std::string, int> keyLines_;
  struct KeyAt {
    size_t byte;
    size_t depth;
    std::string key;
  };
  std::vector<KeyAt> keys_;
};

// The path joined as JsonLines keys it.
std::string JoinPath(const std::vector<std::string>& path);

}  // namespace orvo
