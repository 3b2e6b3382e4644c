#include "view/text_fit.h"

#include <vector>

namespace sarvexa {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // "…"
constexpr int kPrintTextRightEdge = 7 * 1440 + 720;

/// Byte offsets at which a code point starts, and the text's end.
std::vector<std::size_t> CodePointStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  starts.push_back(text.size());
  return starts;
}

}  // namespace

std::string FitTextToWidth(Canvas& canvas, std::string_view text, int room) {
  if (canvas.TextWidth(text) <= room) return std::string(text);
  const std::vector<std::size_t> starts = CodePointStarts(text);
  // The longest head (in code points) that still fits with the ellipsis.
  std::size_t lo = 0, hi = starts.size() - 1;
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    std::string candidate(text.substr(0, starts[mid]));
    candidate += kEllipsis;
    if (canvas.TextWidth(candidate) <= room) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  std::string head(text.substr(0, starts[lo]));
  // No space left dangling before the ellipsis.
  while (!head.empty() && head.back() == ' ') head.pop_back();
  return head + std::string(kEllipsis);
}

int PageTextRightEdge(const Canvas& canvas) {
  return canvas.GetMapping() == Mapping::Print ? kPrintTextRightEdge : kScreenGridWidth;
}

}  // namespace sarvexa
