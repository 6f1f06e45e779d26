// Glyph patterns, one string a row, '#' for a dot of ink, and the icons drawn from them.
#include "host/qt/qt_glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "host/qt/qt_conversions.h"

namespace orvo {

namespace {

using Pattern = std::vector<const char*>;

// The calculator's faces fit its keys at 96 dots per inch: five rows on the short top row
// (memory keys and accept), nine on the others. The operators share one nine-dot square,
// so that their centres line up down the column.
const std::map<std::string, Pattern>& Patterns() {
  // clang-format off
  static const std::map<std::string, Pattern> kPatterns = {
      {"dropdown", {
          "#######",
          ".#####.",
          "..###..",
          "...#...",
      }},
      {"ellipsis", {
          "##..##..##",
          "##..##..##",
      }},
      {"calc:MR", {
          "#...#.###.",
          "##.##.#..#",
          "#.#.#.###.",
          "#...#.#.#.",
          "#...#.#..#",
      }},
      {"calc:M-", {
          "#...#....",
          "##.##....",
          "#.#.#.###",
          "#...#....",
          "#...#....",
      }},
      {"calc:M+", {
          "#...#....",
          "##.##..#.",
          "#.#.#.###",
          "#...#..#.",
          "#...#....",
      }},
      {"calc:MC", {
          "#...#..##",
          "##.##.#..",
          "#.#.#.#..",
          "#...#.#..",
          "#...#..##",
      }},
      {"calc:OK", {
          ".##..#..#",
          "#..#.#.#.",
          "#..#.##..",
          "#..#.#.#.",
          ".##..#..#",
      }},
      {"calc:C", {
          ".####.",
          "#....#",
          "#.....",
          "#.....",
          "#.....",
          "#.....",
          "#.....",
          "#....#",
          ".####.",
      }},
      {"calc:+", {
          "....#....",
          "....#....",
          "....#....",
          "....#....",
          "#########",
          "....#....",
          "....#....",
          "....#....",
          "....#....",
      }},
      {"calc:-", {
          ".........",
          ".........",
          ".........",
          ".........",
          "#########",
          ".........",
          ".........",
          ".........",
          ".........",
      }},
      {"calc:*", {
          ".........",
          ".#.....#.",
          "..#...#..",
          "...#.#...",
          "....#....",
          "...#.#...",
          "..#...#..",
          ".#.....#.",
          ".........",
      }},
      {"calc:/", {
          ".........",
          "....#....",
          ".........",
          ".........",
          "#########",
          ".........",
          ".........",
          "....#....",
          ".........",
      }},
      {"calc:+/-", {
          "....#....",
          "....#....",
          "....#....",
          "#########",
          "....#....",
          "....#....",
          "....#....",
          ".........",
          "#########",
      }},
      {"calc:%", {
          "##......#",
          "##.....#.",
          "......#..",
          ".....#...",
          "....#....",
          "...#.....",
          "..#......",
          ".#.....##",
          "#......##",
      }},
      {"calc:sqrt", {
          "....#####",
          "....#....",
          "....#....",
          "...#.....",
          "...#.....",
          "#..#.....",
          ".#.#.....",
          "..#......",
          "..#......",
      }},
  };
  // clang-format on
  return kPatterns;
}

QPixmap Draw(const Pattern& pattern, const QColor& ink, int dot, qreal devicePixelRatio) {
  const int columns = static_cast<int>(std::strlen(pattern.front()));
  const int rows = static_cast<int>(pattern.size());
  QPixmap pixmap(columns * dot, rows * dot);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x)
      if (pattern[y][x] == '#') p.fillRect(x * dot, y * dot, dot, dot, ink);
  p.end();
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

}  // namespace

bool IsPatternGlyph(const std::string& name) {
  return Patterns().count(name) > 0;
}

QIcon PatternGlyphIcon(const std::string& name, const QPalette& palette, qreal devicePixelRatio) {
  const auto found = Patterns().find(name);
  if (found == Patterns().end()) return {};
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
  // A dot is a pixel at 96 dots per inch (15 twips a pixel), two at 192, and so on.
  const int dot = std::max(1, static_cast<int>(std::lround(ratio * 15 / QtTwipsPerPixel())));
  const QPixmap normal =
      Draw(found->second, palette.color(QPalette::Active, QPalette::ButtonText), dot, ratio);
  QIcon icon;
  icon.addPixmap(normal, QIcon::Normal);
  icon.addPixmap(normal, QIcon::Active);
  icon.addPixmap(normal, QIcon::Selected);
  // Qt's own greying of an icon blurs it: the disabled face is drawn in the disabled text colour.
  icon.addPixmap(
      Draw(found->second, palette.color(QPalette::Disabled, QPalette::ButtonText), dot, ratio),
      QIcon::Disabled);
  return icon;
}

}  // namespace orvo
