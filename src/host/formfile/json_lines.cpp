// The one-pass scan behind JsonLines.
#include "host/formfile/json_lines.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace orvo {

namespace {

// A key as written, escapes and all, read back as its text; raw text when it does not read.
std::string DecodeKey(std::string_view quoted) {
  try {
    return nlohmann::json::parse(quoted).get<std::string>();
  } catch (const nlohmann::json::exception&) {
    return std::string(quoted.substr(1, quoted.size() >= 2 ? quoted.size() - 2 : 0));
  }
}

struct Container {
  bool array = false;
  size_t index = 0;       // arrays: the element being read
  bool expectKey = true;  // objects: the next string is a key
  std::string key;        // objects: the key whose value is being read
};

}  // namespace

std::string JoinPath(const std::vector<std::string>& path) {
  std::string out;
  for (const std::string& p : path) out += "/" + p;
  return out;
}

JsonLines::JsonLines(std::string_view text) : text_(text) {
  lineStarts_.push_back(0);
  std::vector<Container> stack;
  std::vector<std::string> path;
  // The path of the value about to start inside the innermost container.
  auto childPath = [&]() {
    std::vector<std::string> p = path;
    if (!stack.empty()) {
      p.push_back(stack.back().array ? std::to_string(stack.back().index) : stack.back().key);
    }
    return p;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') {
      lineStarts_.push_back(i + 1);
    } else if (c == '"') {
      const size_t start = i;
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\') ++i;
      }
      if (i >= text.size()) break;
      if (!stack.empty() && !stack.back().array && stack.back().expectKey) {
        std::string key = DecodeKey(text.substr(start, i - start + 1));
        stack.back().key = key;
        stack.back().expectKey = false;
        std::vector<std::string> p = path;
        p.push_back(key);
        keyLines_.emplace(JoinPath(p), static_cast<int>(lineStarts_.size()));
        keys_.push_back({start, stack.size(), std::move(key)});
      }
    } else if (c == '{' || c == '[') {
      std::vector<std::string> p = childPath();
      // An element of an array has no key: its path names the line it opens on.
      if (!stack.empty() && stack.back().array)
        keyLines_.emplace(JoinPath(p), static_cast<int>(lineStarts_.size()));
      path = std::move(p);
      Container opened;
      opened.array = c == '[';
      stack.push_back(std::move(opened));
      if (stack.size() == 1) path.clear();
    } else if (c == '}' || c == ']') {
      if (stack.empty()) continue;
      stack.pop_back();
      if (!stack.empty() && !path.empty()) path.pop_back();
    } else if (c == ',') {
      if (stack.empty()) continue;
      if (stack.back().array) {
        ++stack.back().index;
      } else {
        stack.back().expectKey = true;
      }
    }
  }
}

int JsonLines::LineOfByte(size_t byte) const {
  auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), byte);
  return static_cast<int>(it - lineStarts_.begin());
}

int JsonLines::LineOfKey(const std::vector<std::string>& path) const {
  auto it = keyLines_.find(JoinPath(path));
  return it == keyLines_.end() ? 0 : it->second;
}

std::string JsonLines::LastKeyBefore(size_t byte, size_t maxDepth) const {
  std::string last;
  for (const KeyAt& k : keys_) {
    if (k.byte >= byte) break;
    if (k.depth <= maxDepth) last = k.key;
  }
  return last;
}

}  // namespace orvo
