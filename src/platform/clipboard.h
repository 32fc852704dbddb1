#pragma once
#include <string>

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The plain text on the clipboard; "" when it holds none.
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
};
