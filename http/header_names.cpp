#include "http/header_names.h"

Text NormaliseHeaderNames(const Text& block) {
  Text result;
  for (const Text& line : SplitText(block, "\r\n")) {
    const int colon = FindText(line, ":");
    if (colon == -1) continue;
    const Text name = LeftText(line, colon - 1);
    Text newName;
    if (FindText(name, "-") != -1) {
      // A name ending in "-" loses its empty last piece here; that "-" then
      // comes back at the front of the rest, so no byte of the line is lost.
      const TextList words = SplitText(name, "-");
      for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) newName += '-';
        newName += CapitaliseFirst(words[i]);
      }
    } else {
      newName = CapitaliseFirst(name);
    }
    result += ConcatText({newName, RightText(line, TextLength(line) - TextLength(newName)), "\r\n"});
  }
  return LeftText(result, TextLength(result) - 2);
}

Text CapitaliseFirst(const Text& word) {
  if (word.empty()) return word;
  return ToUpperAscii(LeftText(word, 1)) + MidText(word, 2, TextLength(word));
}
